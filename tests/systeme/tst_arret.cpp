// The computer is shut down while the start form waits: the program ends cleanly, its
// journal deleted, instead of dying and leaving it behind.

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
    }
    void arret() {
        QFETCH(int, signal);
        QTemporaryDir d;
        QDir(d.path()).mkpath("_Medias/Animaux");
        QDir(d.path()).mkpath("_Bilans/CM1");
        QFile ini(d.filePath("plumelune.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("REPERTOIRE =\r\nBILAN =\r\n");
        ini.close();
        QVERIFY(QFile::copy(QStringLiteral(PLUMELUNE_EXE), d.filePath("plumelune")));
        QFile::setPermissions(d.filePath("plumelune"), QFile::permissions(PLUMELUNE_EXE));

        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(d.path());
        p.start(d.filePath("plumelune"), {});
        QVERIFY(p.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(QDir(d.path()).entryList({"Bilan_*.txt"}).size(), 1, 10000);
        ::kill(static_cast<pid_t>(p.processId()), signal);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QDir(d.path()).entryList({"Bilan_*.txt"}), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TstArret)
#include "tst_arret.moc"
