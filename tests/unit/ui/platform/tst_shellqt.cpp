// The desktop's "open" as the program does it on Linux: xdg-open's answer is awaited without
// blocking the call, and each way it can fail becomes a French sentence naming the target.
// A stand-in xdg-open on PATH plays the desktop.

#include "ui/platform/ShellQt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// An xdg-open that notes its argument, takes a moment, leaves "fini", then does `fin` (its way
// to end).
bool EcrireXdgOpen(const QString& dossier, const QString& fin) {
    QFile f(dossier + QStringLiteral("/xdg-open"));
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write("#!/bin/sh\nPATH=/usr/bin:/bin\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/argument\"\n"
            "sleep 0.3\n: > \"$(dirname \"$0\")/fini\"\n" +
            fin.toUtf8() + "\n");
    f.close();
    return f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class TstShellQt : public QObject {
    Q_OBJECT
    QByteArray m_path;
private slots:
    void init() { m_path = qgetenv("PATH"); }
    void cleanup() { qputenv("PATH", m_path); }

    void ouvrir_data() {
        QTest::addColumn<QString>("fin"); // empty: no xdg-open at all
        QTest::addColumn<QString>("attendu");
        QTest::newRow("opened") << "exit 0"
                                << "";
        QTest::newRow("no program for this kind of file")
            << "exit 3" << QString::fromUtf8("aucun programme de cet ordinateur n'est associé");
        QTest::newRow("file gone meanwhile") << "exit 2"
                                             << "il est introuvable";
        QTest::newRow("program failed") << "exit 4" << "n'a pas pu l'ouvrir";
        QTest::newRow("opener killed") << "kill -9 $$" << "le bureau n'a pas pu l'ouvrir";
        QTest::newRow("no xdg-open") << "" << "xdg-utils";
    }
    void ouvrir() {
        QFETCH(QString, fin);
        QFETCH(QString, attendu);
        QTemporaryDir bin;
        if (!fin.isEmpty())
            QVERIFY(EcrireXdgOpen(bin.path(), fin));
        qputenv("PATH", QFile::encodeName(bin.path())); // the only programs there are
        const QString cible = bin.filePath(QStringLiteral("Zoé_Exos.txt"));

        ShellQt shell;
        QStringList messages;
        shell.Ouvrir(cible, [&messages](const QString& m) { messages.append(m); });
        if (!fin.isEmpty()) {
            // The call did not wait for the opener, which has not answered yet.
            QVERIFY(messages.isEmpty());
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(bin.filePath("argument")), 10000);
        }
        if (attendu.isEmpty()) {
            QTest::qWait(1000); // the opener is done: it said nothing
            QCOMPARE(messages, QStringList{});
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 1, 10000);
            QVERIFY2(messages.first().contains(attendu), qPrintable(messages.first()));
            QVERIFY2(messages.first().startsWith(QString::fromUtf8("Impossible d'ouvrir « ") +
                                                 cible + QString::fromUtf8(" » : ")),
                     qPrintable(messages.first()));
        }
        if (!fin.isEmpty()) {
            QFile argument(bin.filePath("argument"));
            QVERIFY(argument.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(argument.readAll()), cible);
        }
    }

    // Web addresses go to the opener as they are, paths with "\" as paths.
    void argumentDeLOuvreur_data() {
        QTest::addColumn<QString>("cible");
        QTest::addColumn<QString>("argument");
        QTest::newRow("web address") << "https://exemple.fr/banque?x=1"
                                     << "https://exemple.fr/banque?x=1";
        QTest::newRow("Windows-style path") << "/tmp/bilans\\CM1\\Paul.txt"
                                            << "/tmp/bilans/CM1/Paul.txt";
    }
    void argumentDeLOuvreur() {
        QFETCH(QString, cible);
        QFETCH(QString, argument);
        QTemporaryDir bin;
        QVERIFY(EcrireXdgOpen(bin.path(), QStringLiteral("exit 0")));
        qputenv("PATH", QFile::encodeName(bin.path()));
        ShellQt shell;
        shell.Ouvrir(cible, {});
        QFile recu(bin.filePath("argument"));
        QTRY_VERIFY_WITH_TIMEOUT(recu.exists(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(recu.size() > 0, 10000);
        QVERIFY(recu.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(recu.readAll()), argument);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(bin.filePath("fini")), 10000);
        QTest::qWait(200); // its end is noticed while the shell is there
    }

    // The program ends while a document it opened is still open: the opener is not killed,
    // nobody is told of its end, and its QProcess is freed when it ends (under the sanitizer,
    // one left behind is a leak).
    void ouvreurQuiSurvitAuShell() {
        QTemporaryDir bin;
        QVERIFY(EcrireXdgOpen(bin.path(), QStringLiteral("exit 3")));
        qputenv("PATH", QFile::encodeName(bin.path()));
        QStringList messages;
        {
            ShellQt shell;
            shell.Ouvrir(bin.filePath(QStringLiteral("Paul.txt")),
                         [&messages](const QString& m) { messages.append(m); });
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(bin.filePath("argument")), 10000);
            QVERIFY(!QFile::exists(bin.filePath("fini")));
        }
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(bin.filePath("fini")), 10000);
        QTest::qWait(500);
        QCOMPARE(messages, QStringList{});
    }

    void lancer_data() {
        QTest::addColumn<QString>("programme");
        QTest::addColumn<bool>("echec");
        QTest::newRow("a program that starts") << "true" << false;
        QTest::newRow("no such program") << "enregistreur-qui-n-existe-pas" << true;
    }
    void lancer() {
        QFETCH(QString, programme);
        QFETCH(bool, echec);
        ShellQt shell;
        QStringList messages;
        shell.Lancer(programme, [&messages](const QString& m) { messages.append(m); });
        // Known at once: the call says it before it returns.
        QCOMPARE(messages.size(), echec ? 1 : 0);
        if (echec)
            QCOMPARE(messages.first(), MessageEchecLancement(programme));
    }
};

QTEST_MAIN(TstShellQt)
#include "tst_shellqt.moc"
