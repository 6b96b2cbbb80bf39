// The program waiting on its start form has loaded neither the sound, the printing nor the
// archive libraries: they, and Qt's multimedia and printing libraries and libzip behind them,
// come with the first sound, the first print and the studio's first export or import, not with
// the start-up.

#include "ProgrammeEssai.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TstBibliotheques : public QObject {
    Q_OBJECT
private slots:
    void rienAuDemarrage() {
        QTemporaryDir d;
        QProcess p;
        QVERIFY(DemarrerProgramme(QStringLiteral(PLUMELUNE_EXE), d, p));
        // A program folder as laid out: the executable beside its modules, which it could load.
        QCOMPARE(QDir(d.path()).entryList({"plumelune", "libplumelune_*.so"}, QDir::Files).size(),
                 4);
        QTest::qWait(300); // the start form up and painted
        const QString processus = QString::number(p.processId());
        QVERIFY(BibliothequeChargee("libQt6Widgets", processus)); // the right process, under way
        for (const char* bibliotheque :
             {"libplumelune_son", "libplumelune_impression", "libplumelune_archive",
              "libQt6Multimedia", "libQt6PrintSupport", "libsndfile", "libzip", "libSoundTouch"})
            QVERIFY2(!BibliothequeChargee(bibliotheque, processus), bibliotheque);

        ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TstBibliotheques)
#include "tst_bibliotheques.moc"
