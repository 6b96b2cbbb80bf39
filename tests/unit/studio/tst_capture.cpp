// The recorder from the microphone to the item's WAV file. Where this machine can start a
// PulseAudio null sink, the real QAudioSource records what the test plays into that sink; where
// it cannot, a double feeds the same samples. The test says which ran.

#include "Doubles.h"
#include "PulseEssai.h"
#include "core/studio/TraitementSon.h"
#include "sound/CaptureQt.h"
#include "sound/DecodageWav.h"
#include "sound/EcritureWav.h"

#include <QApplication>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QTest>

#include <cmath>
#include <numbers>

namespace {

bool pulse = false;
QString pourquoiPasPulse;

QByteArray Tonalite(const QAudioFormat& f, double secondes) {
    QByteArray o(f.bytesForDuration(qint64(secondes * 1e6)), '\0');
    const int trames = o.size() / f.bytesPerFrame();
    for (int i = 0; i < trames; ++i) {
        const double v = 0.5 * std::sin(2 * std::numbers::pi * 1000.0 * i / f.sampleRate());
        for (int c = 0; c < f.channelCount(); ++c) {
            char* e = o.data() + i * f.bytesPerFrame() + c * f.bytesPerSample();
            if (f.sampleFormat() == QAudioFormat::Float) {
                const float x = float(v);
                std::memcpy(e, &x, 4);
            } else if (f.sampleFormat() == QAudioFormat::Int32) {
                const qint32 x = qint32(v * 2147483647.0);
                std::memcpy(e, &x, 4);
            } else {
                const qint16 x = qint16(v * 32767.0);
                std::memcpy(e, &x, 2);
            }
        }
    }
    return o;
}

} // namespace

class TstCapture : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qInfo("%s", qPrintable(pulse ? QStringLiteral("enregistreur testé : QAudioSource réel, "
                                                      "serveur PulseAudio à puits nul")
                                     : QStringLiteral("enregistreur testé : le double qui fournit "
                                                      "des échantillons (PulseAudio : %1)")
                                           .arg(pourquoiPasPulse)));
    }

    // Record, stop, then the item's file: what was played is what is kept, trimmed, at the
    // items' format.
    void enregistrerPuisEcrire() {
        QTemporaryDir dossier;
        SonPcm capte;
        float niveau = 0;
        if (pulse) {
            CaptureQt capture;
            capture.Demarrer();
            QTRY_VERIFY_WITH_TIMEOUT(capture.Etat() == EtatCapture::EnCours ||
                                         capture.Etat() == EtatCapture::Erreur,
                                     5000);
            QVERIFY2(capture.Etat() == EtatCapture::EnCours, qPrintable(capture.Erreur()));
            // 0.4 s of silence, then one second of a 1 kHz tone into the sink it records.
            const QAudioDevice sortie = QMediaDevices::defaultAudioOutput();
            QVERIFY(!sortie.isNull());
            const QAudioFormat f = sortie.preferredFormat();
            QBuffer tampon;
            tampon.setData(Tonalite(f, 1.0));
            tampon.open(QIODevice::ReadOnly);
            QAudioSink haut_parleur(sortie, f);
            QTest::qWait(400);
            haut_parleur.start(&tampon);
            QTRY_VERIFY_WITH_TIMEOUT((niveau = std::max(niveau, capture.Niveau())) > 0.1f, 3000);
            QTest::qWait(1300);
            haut_parleur.stop();
            capture.Arreter();
            QTRY_COMPARE_WITH_TIMEOUT(capture.Etat(), EtatCapture::Arretee, 5000);
            capte = capture.Prendre();
            QVERIFY(capture.Prendre().Echantillons.isEmpty()); // taken once
        } else {
            CaptureDouble capture;
            const QByteArray wav = WavTonalite(1.0, 44100, 1, 0.4);
            SonDecode d;
            QString erreur;
            QVERIFY(DecoderSonMemoire(wav, d, erreur));
            capture.Son = {1, d.Frequence, d.Echantillons};
            capture.Demarrer();
            QCOMPARE(capture.Etat(), EtatCapture::EnCours);
            niveau = capture.Niveau();
            capture.Arreter();
            capte = capture.Prendre();
        }
        QVERIFY(niveau > 0.1f);
        QCOMPARE(capte.Canaux, 1);
        QVERIFY(capte.Frequence >= 8000);
        QVERIFY2(capte.Secondes() > 1.0, qPrintable(QString::number(capte.Secondes())));
        QVERIFY2(Crete(capte.Echantillons) > 5000,
                 qPrintable(QString::number(Crete(capte.Echantillons))));

        const SonPcm pret = PreparerSon(capte);
        // The tone and its margins, not the silence before it.
        QVERIFY2(pret.Secondes() > 0.9 && pret.Secondes() < 1.35,
                 qPrintable(QString::number(pret.Secondes())));
        const QString fichier = dossier.filePath(QStringLiteral("l#apo#eau.wav"));
        FichiersSonSndfile fichiers;
        QString erreur;
        QVERIFY2(fichiers.EcrireWav(fichier, pret, &erreur), qPrintable(erreur));
        SonDecode relu;
        QVERIFY(DecoderFichierSon(fichier, relu, erreur));
        QCOMPARE(relu.Canaux, 1);
        QCOMPARE(relu.Frequence, 22050);
        QCOMPARE(relu.Echantillons, pret.Echantillons);
        QByteArray entete;
        {
            QFile f(fichier);
            QVERIFY(f.open(QIODevice::ReadOnly));
            entete = f.read(44);
        }
        QVERIFY(entete.startsWith("RIFF"));
        QCOMPARE(entete.mid(20, 2), QByteArray("\x01\x00", 2)); // PCM
        QCOMPARE(entete.mid(34, 2), QByteArray("\x10\x00", 2)); // 16 bits
    }

    // Stop before the device even answered: nothing hangs, nothing is kept.
    void arretAussitot() {
        if (!pulse)
            QSKIP("sans serveur de son, pas de périphérique à attendre");
        CaptureQt capture;
        capture.Demarrer();
        capture.Arreter();
        QTRY_VERIFY_WITH_TIMEOUT(capture.Etat() == EtatCapture::Arretee, 5000);
        capture.Prendre();
        capture.Demarrer();
        QTRY_VERIFY_WITH_TIMEOUT(capture.Etat() == EtatCapture::EnCours, 5000);
        capture.Arreter();
        QTRY_VERIFY_WITH_TIMEOUT(capture.Etat() == EtatCapture::Arretee, 5000);
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    PulseEssai serveur;
    pulse = serveur.Demarrer(&pourquoiPasPulse);
    TstCapture t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_capture.moc"
