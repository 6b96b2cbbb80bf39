// The computer is shut down while the start form waits: the program ends cleanly, its
// journal deleted, instead of dying and leaving it behind. A copy that dies anyway (killed,
// switched off) leaves its journal, which the next start removes, never a running copy's.

#include "ProgrammeEssai.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TstArret : public QObject {
    Q_OBJECT
private slots:
    void arret_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void arret() {
        QFETCH(int, signal);
        QTemporaryDir d;
        QProcess p;
        QVERIFY(DemarrerProgramme(QStringLiteral(PLUMELUNE_EXE), d, p));
        ::kill(static_cast<pid_t>(p.processId()), signal);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QDir(d.path()).entryList({"Bilan_*.txt"}), QStringList{});
    }

    void journalDUneCopieMorteNettoye() {
        QTemporaryDir d;
        QVERIFY(PreparerProgramme(QStringLiteral(PLUMELUNE_EXE), d));
        QProcess a, b, c;
        QString ja, jb, jc;
        QVERIFY(LancerProgramme(d, a, &ja));
        QVERIFY(LancerProgramme(d, b, &jb));
        ::kill(static_cast<pid_t>(b.processId()), SIGKILL);
        QVERIFY(b.waitForFinished(10000));
        QVERIFY(QFile::exists(jb)); // a dead copy cannot delete its journal
        QVERIFY(LancerProgramme(d, c, &jc));
        QVERIFY(!QFile::exists(jb)); // the next start did
        QVERIFY(QFile::exists(ja));  // not the running copy's
        QVERIFY(QFile::exists(jc));
        for (QProcess* p : {&a, &c}) {
            ::kill(static_cast<pid_t>(p->processId()), SIGTERM);
            QVERIFY(p->waitForFinished(10000));
            QCOMPARE(p->exitCode(), 0);
        }
        // Journals and locks all gone.
        QCOMPARE(QDir(d.path()).entryList({"Bilan_*.txt", ".Bilan_*"}, QDir::Files | QDir::Hidden),
                 QStringList{});
    }
};

QTEST_GUILESS_MAIN(TstArret)
#include "tst_arret.moc"
