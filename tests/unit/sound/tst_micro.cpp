// The microphone's promises, device or not: every call returns at once, a missing microphone is
// said in French, a stop keeps what was captured as one channel, and the capture ends promptly.
// The same cases run against the Windows capture.

#include <QElapsedTimer>
#include <QtTest>

#include <memory>

#ifdef Q_OS_WIN
#include "sound/CaptureWin.h"
using Capture = CaptureWin;
#else
#include "sound/CaptureQt.h"
using Capture = CaptureQt;
#endif

namespace {

const QStringList erreursConnues = {
    QStringLiteral("Aucun micro n'a été trouvé sur cet ordinateur. Branchez-en un, ou donnez un "
                   "son à l'item avec la voix de synthèse ou en important un fichier."),
    QStringLiteral("Le micro n'a pas pu être ouvert. Vérifiez qu'il est branché et qu'aucun "
                   "autre programme ne l'utilise."),
};

// Demarrer, then wait until the capture is either running or refused.
bool Demarrer(Capture& micro, qint64* dureeAppel = nullptr) {
    QElapsedTimer t;
    t.start();
    micro.Demarrer();
    if (dureeAppel)
        *dureeAppel = t.elapsed();
    return QTest::qWaitFor([&micro] { return micro.Etat() != EtatCapture::Ouverture; }, 10000);
}

} // namespace

class TestCapture : public QObject {
    Q_OBJECT

private slots:
    // With a microphone the capture runs and a stop keeps its samples; without, the reason is
    // one of the program's sentences and a stop leaves the error to be read.
    void demarrerPuisArreter() {
        Capture micro;
        micro.Preparer();
        qint64 duree = 0;
        QVERIFY(Demarrer(micro, &duree));
        QVERIFY2(duree < 100, qPrintable(QString::number(duree)));
        if (micro.Etat() == EtatCapture::Erreur) {
            QVERIFY2(erreursConnues.contains(micro.Erreur()), qPrintable(micro.Erreur()));
            micro.Arreter();
            QTest::qWait(100);
            QCOMPARE(micro.Etat(), EtatCapture::Erreur);
            QVERIFY(micro.Prendre().Echantillons.isEmpty());
            QCOMPARE(micro.Niveau(), 0.0f);
            return;
        }
        QCOMPARE(micro.Etat(), EtatCapture::EnCours);
        QTest::qWait(500);
        micro.Arreter();
        QTRY_COMPARE(micro.Etat(), EtatCapture::Arretee);
        const SonPcm son = micro.Prendre();
        QCOMPARE(son.Canaux, 1);
        QVERIFY(son.Frequence > 0);
        QVERIFY2(son.Secondes() > 0.2 && son.Secondes() < 2,
                 qPrintable(QString::number(son.Secondes())));
        QVERIFY(micro.Prendre().Echantillons.isEmpty());
        QVERIFY(micro.Niveau() >= 0.0f && micro.Niveau() <= 1.0f);
    }

    // A second start drops the first capture's error and samples.
    void redemarrer() {
        Capture micro;
        QVERIFY(Demarrer(micro));
        const EtatCapture premier = micro.Etat();
        micro.Arreter();
        QVERIFY(Demarrer(micro));
        QCOMPARE(micro.Etat(), premier);
        micro.Arreter();
        QTRY_VERIFY(micro.Etat() != EtatCapture::EnCours);
    }

    // The program closing in the middle of a capture, or right after asking for one.
    void detruitEnCours_data() {
        QTest::addColumn<bool>("attendreLOuverture");
        QTest::newRow("pendant l'ouverture") << false;
        QTest::newRow("pendant la capture") << true;
    }

    void detruitEnCours() {
        QFETCH(bool, attendreLOuverture);
        auto micro = std::make_unique<Capture>();
        if (attendreLOuverture)
            QVERIFY(Demarrer(*micro));
        else
            micro->Demarrer();
        QElapsedTimer t;
        t.start();
        micro.reset();
        QVERIFY2(t.elapsed() < 4000, qPrintable(QString::number(t.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestCapture)
#include "tst_micro.moc"
