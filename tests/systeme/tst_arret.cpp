// The computer is shut down while the start form waits: the program ends cleanly, its
// journal deleted, instead of dying and leaving it behind.

#include "ProgrammeEssai.h"

#include <QDir>
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
};

QTEST_GUILESS_MAIN(TstArret)
#include "tst_arret.moc"
