// Several processes on one records folder, as several classroom computers on one share:
// appends never interleave, a save killed at any moment leaves a whole history, and two
// copies of the program never share a journal.

#include "core/FichierTexte.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString outil = QStringLiteral(PLUMELUNE_OUTIL_ECRIVAIN);

QString VersionHistorique(int v) {
    QString t;
    for (int k = 0; k <= v % 200; ++k)
        t += QStringLiteral("mot %1 de la version %2|%2\r\n").arg(k).arg(v);
    return t;
}

QByteArray Lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstDossierPartage : public QObject {
    Q_OBJECT
private slots:
    void deuxProcessusAjoutent() {
        QTemporaryDir d;
        const QString f = d.filePath("Paul_Detail.txt");
        QFile vide(f);
        QVERIFY(vide.open(QIODevice::WriteOnly));
        vide.close();
        QProcess a, b;
        a.start(outil, {"ajouter", f, "5000", "A"});
        b.start(outil, {"ajouter", f, "5000", "B"});
        QVERIFY(a.waitForFinished(60000) && b.waitForFinished(60000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);

        const QByteArray octets = Lire(f);
        QVERIFY(octets.endsWith("\r\n"));
        const QStringList lignes = DecouperLignes(DecoderTexte(octets));
        QCOMPARE(lignes.size(), 10000);
        const QRegularExpression forme(QStringLiteral("^([AB]) ligne (\\d{5}) élève appliqué$"));
        int suivant[2] = {0, 0};
        for (const QString& l : lignes) {
            const auto m = forme.match(l);
            QVERIFY2(m.hasMatch(), qPrintable(l));
            const int qui = m.captured(1) == u"A" ? 0 : 1;
            QCOMPARE(m.captured(2).toInt(), suivant[qui]); // none lost, none twice, in order
            ++suivant[qui];
        }
        QCOMPARE(suivant[0], 5000);
        QCOMPARE(suivant[1], 5000);
    }

    void sauvegardeTueeAuHasard() {
        QTemporaryDir d;
        const QString f = d.filePath("Paul.txt");
        const QByteArray depart = "depart|1\r\n";
        QFile init(f);
        QVERIFY(init.open(QIODevice::WriteOnly));
        init.write(depart);
        init.close();

        int sauvegardes = 0, interruptions = 0, versionsVues = 0;
        QRandomGenerator hasard(20261208);
        while ((sauvegardes < 1000 || interruptions < 50) && interruptions < 500) {
            QProcess p;
            p.start(outil, {"sauver", f, "1000"});
            QVERIFY(p.waitForStarted());
            QTest::qWait(hasard.bounded(10, 80));
            p.kill(); // SIGKILL: no clean-up runs
            p.waitForFinished(10000);
            ++interruptions;
            sauvegardes += p.readAllStandardOutput().count('\n');

            const QByteArray contenu = Lire(f);
            QVERIFY2(!contenu.isEmpty(), "history emptied");
            if (contenu == depart)
                continue;
            const QRegularExpressionMatch m =
                QRegularExpression(QStringLiteral("^mot 0 de la version (\\d+)\\|"))
                    .match(QString::fromLatin1(contenu));
            QVERIFY2(m.hasMatch(), contenu.left(80).constData());
            QCOMPARE(QString::fromLatin1(contenu), VersionHistorique(m.captured(1).toInt()));
            ++versionsVues;
        }
        qInfo("%d saves, %d processes killed, %d whole new versions found, 0 damaged", sauvegardes,
              interruptions, versionsVues);
        QVERIFY(sauvegardes >= 1000);
    }

    // Both copies draw 42; the second one must take another name, and closing it must leave
    // the first one's journal alone.
    void deuxCopiesDeuxJournaux() {
        QTemporaryDir d;
        QProcess a, b;
        a.start(outil, {"journal", d.path(), "42"});
        QVERIFY(a.waitForReadyRead(10000));
        const QString ja = QString::fromLocal8Bit(a.readLine()).trimmed();
        b.start(outil, {"journal", d.path(), "42"});
        QVERIFY(b.waitForReadyRead(10000));
        const QString jb = QString::fromLocal8Bit(b.readLine()).trimmed();
        QCOMPARE(ja, d.filePath("Bilan_42.txt"));
        QVERIFY(jb != ja);
        QVERIFY(QFile::exists(ja) && QFile::exists(jb));
        b.write("\n");
        QVERIFY(b.waitForFinished(10000));
        QVERIFY(!QFile::exists(jb));
        QVERIFY(QFile::exists(ja));
        a.write("\n");
        QVERIFY(a.waitForFinished(10000));
        QVERIFY(!QFile::exists(ja));
    }
};

QTEST_GUILESS_MAIN(TstDossierPartage)
#include "tst_dossierpartage.moc"
