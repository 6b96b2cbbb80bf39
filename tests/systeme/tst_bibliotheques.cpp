// The program waiting on its start form has loaded neither the sound nor the printing
// libraries: they, and Qt's multimedia and printing libraries behind them, come with the first
// sound and the first print, not with the start-up.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TstBibliotheques : public QObject {
    Q_OBJECT
private slots:
    void rienAuDemarrage() {
        QTemporaryDir d;
        QDir(d.path()).mkpath("_Medias/Animaux");
        QDir(d.path()).mkpath("_Bilans/CM1");
        QFile ini(d.filePath("plumelune.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("REPERTOIRE =\r\nBILAN =\r\n");
        ini.close();

        // A program folder as laid out: the executable beside both libraries, which it could load.
        const QFileInfo exe(QStringLiteral(PLUMELUNE_EXE));
        const QStringList fichiers =
            QDir(exe.absolutePath()).entryList({"plumelune", "libplumelune_*.so"}, QDir::Files);
        QCOMPARE(fichiers.size(), 3);
        for (const QString& f : fichiers) {
            QVERIFY(QFile::copy(exe.absolutePath() + '/' + f, d.filePath(f)));
            QFile::setPermissions(d.filePath(f), QFile::permissions(exe.absolutePath() + '/' + f));
        }

        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(d.path());
        p.start(d.filePath("plumelune"), {});
        QVERIFY(p.waitForStarted());
        // The journal is written once the configuration is read, just before the start form.
        QTRY_COMPARE_WITH_TIMEOUT(QDir(d.path()).entryList({"Bilan_*.txt"}).size(), 1, 10000);
        QTest::qWait(300); // the start form up and painted
        QFile cartes(QStringLiteral("/proc/%1/maps").arg(p.processId()));
        QVERIFY(cartes.open(QIODevice::ReadOnly));
        const QByteArray chargees = cartes.readAll();
        QVERIFY(chargees.contains("libQt6Widgets")); // the right process, well under way
        for (const char* bibliotheque : {"libplumelune_son", "libplumelune_impression",
                                         "libQt6Multimedia", "libQt6PrintSupport", "libsndfile"})
            QVERIFY2(!chargees.contains(bibliotheque), bibliotheque);

        ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TstBibliotheques)
#include "tst_bibliotheques.moc"
