// Decoding of the item and effect sounds: every encoding an old WAV may carry, and the broken
// files a teacher may drop into an exercise folder.

#include "Doubles.h"
#include "sound/DecodageWav.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Amplitude = 0.5;

// Left channel 440 Hz, right channel 660 Hz: a swapped or mis-interleaved stereo decode shows.
double Attendu(int canal, sf_count_t trame, int frequence) {
    const double hz = canal == 0 ? 440.0 : 660.0;
    return Amplitude * std::sin(2.0 * Pi * hz * static_cast<double>(trame) / frequence);
}

// Writes the test sine with libsndfile itself; empty string when the encoding is refused.
QString EcrireSinus(const QString& chemin, int format, int canaux, int frequence,
                    sf_count_t trames) {
    SF_INFO info = {};
    info.samplerate = frequence;
    info.channels = canaux;
    info.format = format;
    SNDFILE* f = sf_open(QFile::encodeName(chemin).constData(), SFM_WRITE, &info);
    if (!f)
        return QString::fromLocal8Bit(sf_strerror(nullptr));
    std::vector<float> tampon(static_cast<size_t>(trames * canaux));
    for (sf_count_t t = 0; t < trames; ++t)
        for (int c = 0; c < canaux; ++c)
            tampon[static_cast<size_t>(t * canaux + c)] =
                static_cast<float>(Attendu(c, t, frequence));
    sf_writef_float(f, tampon.data(), trames);
    sf_close(f);
    return {};
}

QByteArray Lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Ecrire(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(octets), octets.size());
}

// Signal to error ratio of one channel against the written sine, in dB.
double RapportSignalBruit(const SonDecode& son, int canal, sf_count_t trames) {
    double signal = 0;
    double bruit = 0;
    for (sf_count_t t = 0; t < trames; ++t) {
        const double attendu = Attendu(canal, t, son.Frequence) * 32767.0;
        const double lu = son.Echantillons[static_cast<qsizetype>(t * son.Canaux + canal)];
        signal += attendu * attendu;
        bruit += (lu - attendu) * (lu - attendu);
    }
    return 10.0 * std::log10(signal / std::max(bruit, 1e-9));
}

} // namespace

class TestDecodageWav : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dossier;
    QString Chemin(const QString& nom) const { return m_dossier.filePath(nom); }

    // A small valid PCM 16 file shared by the failure cases that damage a good file.
    QByteArray WavValide() {
        const QString chemin = Chemin(QStringLiteral("modele.wav"));
        if (!QFile::exists(chemin))
            EcrireSinus(chemin, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 8000, 800);
        return Lire(chemin);
    }

private slots:
    void initTestCase() { QVERIFY(m_dossier.isValid()); }

    void encodages_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("canaux");
        QTest::addColumn<int>("frequence");
        // Block codecs pad their last block with silence.
        QTest::addColumn<int>("tramesEnPlusMax");
        QTest::addColumn<double>("rapportMinDb");

        const int wav = SF_FORMAT_WAV;
        QTest::newRow("pcm_u8 mono") << (wav | SF_FORMAT_PCM_U8) << 1 << 11025 << 0 << 35.0;
        QTest::newRow("pcm_u8 stereo") << (wav | SF_FORMAT_PCM_U8) << 2 << 22050 << 0 << 35.0;
        QTest::newRow("pcm_16 mono") << (wav | SF_FORMAT_PCM_16) << 1 << 22050 << 0 << 80.0;
        QTest::newRow("pcm_16 stereo") << (wav | SF_FORMAT_PCM_16) << 2 << 44100 << 0 << 80.0;
        QTest::newRow("pcm_24 mono") << (wav | SF_FORMAT_PCM_24) << 1 << 48000 << 0 << 80.0;
        QTest::newRow("pcm_24 stereo") << (wav | SF_FORMAT_PCM_24) << 2 << 16000 << 0 << 80.0;
        QTest::newRow("pcm_32 mono") << (wav | SF_FORMAT_PCM_32) << 1 << 8000 << 0 << 80.0;
        QTest::newRow("pcm_32 stereo") << (wav | SF_FORMAT_PCM_32) << 2 << 32000 << 0 << 80.0;
        QTest::newRow("float mono") << (wav | SF_FORMAT_FLOAT) << 1 << 22050 << 0 << 80.0;
        QTest::newRow("float stereo") << (wav | SF_FORMAT_FLOAT) << 2 << 44100 << 0 << 80.0;
        QTest::newRow("double mono") << (wav | SF_FORMAT_DOUBLE) << 1 << 22050 << 0 << 80.0;
        QTest::newRow("ima_adpcm mono")
            << (wav | SF_FORMAT_IMA_ADPCM) << 1 << 22050 << 2048 << 25.0;
        QTest::newRow("ima_adpcm stereo")
            << (wav | SF_FORMAT_IMA_ADPCM) << 2 << 22050 << 2048 << 25.0;
        QTest::newRow("ms_adpcm mono") << (wav | SF_FORMAT_MS_ADPCM) << 1 << 11025 << 2048 << 30.0;
        QTest::newRow("ms_adpcm stereo")
            << (wav | SF_FORMAT_MS_ADPCM) << 2 << 22050 << 2048 << 30.0;
        QTest::newRow("gsm610 mono") << (wav | SF_FORMAT_GSM610) << 1 << 8000 << 640 << 15.0;
        QTest::newRow("ulaw mono") << (wav | SF_FORMAT_ULAW) << 1 << 8000 << 0 << 32.0;
        QTest::newRow("ulaw stereo") << (wav | SF_FORMAT_ULAW) << 2 << 8000 << 0 << 32.0;
        QTest::newRow("alaw mono") << (wav | SF_FORMAT_ALAW) << 1 << 8000 << 0 << 32.0;
        QTest::newRow("alaw stereo") << (wav | SF_FORMAT_ALAW) << 2 << 11025 << 0 << 32.0;
        // WAVE_FORMAT_EXTENSIBLE headers, as recent recorders write them.
        QTest::newRow("wavex pcm_16 stereo")
            << (SF_FORMAT_WAVEX | SF_FORMAT_PCM_16) << 2 << 48000 << 0 << 80.0;
    }

    void encodages() {
        QFETCH(int, format);
        QFETCH(int, canaux);
        QFETCH(int, frequence);
        QFETCH(int, tramesEnPlusMax);
        QFETCH(double, rapportMinDb);

        const sf_count_t trames = frequence / 2; // half a second
        const QString chemin = Chemin(QString::fromLatin1(QTest::currentDataTag()) + ".wav");
        const QString refus = EcrireSinus(chemin, format, canaux, frequence, trames);
        QVERIFY2(refus.isEmpty(), qPrintable(refus));

        SonDecode son;
        QString erreur;
        QVERIFY2(DecoderFichierSon(chemin, son, erreur), qPrintable(erreur));
        QCOMPARE(son.Canaux, canaux);
        QCOMPARE(son.Frequence, frequence);
        QCOMPARE(son.Echantillons.size() % canaux, 0);
        const sf_count_t lues = son.Echantillons.size() / canaux;
        QVERIFY2(lues >= trames && lues <= trames + tramesEnPlusMax,
                 qPrintable(QStringLiteral("%1 trames pour %2 écrites").arg(lues).arg(trames)));
        for (int c = 0; c < canaux; ++c) {
            const double rapport = RapportSignalBruit(son, c, trames);
            QVERIFY2(rapport >= rapportMinDb,
                     qPrintable(QStringLiteral("canal %1 : %2 dB").arg(c).arg(rapport)));
        }
    }

    // Float files beyond full scale are clipped, never wrapped round into loud clicks.
    void flottantHorsEchelle() {
        const QString chemin = Chemin(QStringLiteral("trop_fort.wav"));
        SF_INFO info = {};
        info.samplerate = 8000;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
        SNDFILE* f = sf_open(QFile::encodeName(chemin).constData(), SFM_WRITE, &info);
        QVERIFY(f);
        const float valeurs[] = {1.7f, -2.5f, 0.25f, -0.25f, 1.0f, -1.0f};
        sf_writef_float(f, valeurs, 6);
        sf_close(f);

        SonDecode son;
        QString erreur;
        QVERIFY2(DecoderFichierSon(chemin, son, erreur), qPrintable(erreur));
        const QVector<qint16> attendus = {32767, -32767, 8192, -8192, 32767, -32767};
        QCOMPARE(son.Echantillons, attendus);
    }

    void echecs_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QString>("motDeLaRaison"); // a word the reason must hold, if any

        const QByteArray valide = WavValide();
        QVERIFY(valide.size() > 100);
        QTest::newRow("vide") << "vide.wav" << QByteArray() << "vide";
        QTest::newRow("en-tete seul") << "entete.wav" << valide.left(44) << "échantillon";
        QTest::newRow("coupe dans l'en-tete a 12 octets") << "coupe12.wav" << valide.left(12) << "";
        QTest::newRow("coupe dans l'en-tete a 30 octets") << "coupe30.wav" << valide.left(30) << "";
        QTest::newRow("texte renomme")
            << "lisezmoi.wav" << QByteArray("Bonjour, ceci est un texte.\r\n") << "";
        // The first bytes of a JFIF picture: what a misnamed ".JPG" companion looks like.
        QTest::newRow("jpeg renomme")
            << "photo.wav"
            << QByteArray::fromHex("ffd8ffe000104a46494600010100000100010000ffdb004300080606"
                                   "070605080707070909080a0c140d0c0b0b0c1912130f141d1a1f1e1d"
                                   "1a1c1c20242e2720222c231c1c2837292c30313434341f27393d3832"
                                   "3c2e333432ffd9")
            << "";
        QTest::newRow("nom accentue") << "élève.wav" << QByteArray("pas un son") << "";
        QTest::newRow("neuf canaux")
            << "neuf.wav" << EnteteWav(9, 8000, 16, 1800) + QByteArray(1800, '\0') << "canaux";
    }

    void echecs() {
        QFETCH(QString, nom);
        QFETCH(QByteArray, contenu);
        QFETCH(QString, motDeLaRaison);

        const QString chemin = Chemin(nom);
        Ecrire(chemin, contenu);
        SonDecode son;
        son.Canaux = 3; // whatever was there before must not survive a failure
        son.Echantillons = {1, 2, 3};
        QString erreur;
        QVERIFY(!DecoderFichierSon(chemin, son, erreur));
        const QString debut = QStringLiteral("Impossible de lire le son « %1 » : ").arg(nom);
        QVERIFY2(erreur.startsWith(debut), qPrintable(erreur));
        QVERIFY2(erreur.size() > debut.size() + 3, qPrintable(erreur));
        if (!motDeLaRaison.isEmpty())
            QVERIFY2(erreur.contains(motDeLaRaison), qPrintable(erreur));
        QCOMPARE(son.Canaux, 0);
        QVERIFY(son.Echantillons.isEmpty());

        // The same bytes from memory fail too, without a file name.
        QString erreurMemoire;
        QVERIFY(!DecoderSonMemoire(contenu, son, erreurMemoire));
        QVERIFY2(erreurMemoire.startsWith(QStringLiteral("Impossible de lire le son : ")),
                 qPrintable(erreurMemoire));
    }

    void fichierAbsent_data() {
        QTest::addColumn<QString>("nom");
        QTest::newRow("absent") << "absent.wav";
        QTest::newRow("absent accentue") << "dictée_élève.wav";
    }

    void fichierAbsent() {
        QFETCH(QString, nom);
        SonDecode son;
        QString erreur;
        QVERIFY(!DecoderFichierSon(Chemin(nom), son, erreur));
        QVERIFY2(erreur.startsWith(QStringLiteral("Impossible de lire le son « %1 » : ").arg(nom)),
                 qPrintable(erreur));
        QVERIFY2(erreur.contains(QStringLiteral("n'existe pas")), qPrintable(erreur));
    }

    // Accented folder and file names are everyday here ("Dictées/élève.wav").
    void cheminAccentue() {
        const QString dossier = Chemin(QStringLiteral("Dictées"));
        QVERIFY(QDir().mkpath(dossier));
        const QString ascii = Chemin(QStringLiteral("provisoire.wav"));
        QVERIFY(EcrireSinus(ascii, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 22050, 2205).isEmpty());
        const QString chemin = dossier + QStringLiteral("/élève.wav");
        QVERIFY(QFile::rename(ascii, chemin));

        SonDecode son;
        QString erreur;
        QVERIFY2(DecoderFichierSon(chemin, son, erreur), qPrintable(erreur));
        QCOMPARE(son.Echantillons.size(), 2205);
        QVERIFY(RapportSignalBruit(son, 0, 2205) > 80.0);
    }

    // A data chunk cut short plays what it holds: whole frames only.
    void donneesCoupees_data() {
        QTest::addColumn<int>("canaux");
        QTest::addColumn<int>("octetsGardes");
        QTest::addColumn<int>("tramesAttendues");
        QTest::newRow("mono coupe au milieu") << 1 << 44 + 600 << 300;
        QTest::newRow("stereo coupe dans une trame") << 2 << 44 + 403 << 100;
    }

    void donneesCoupees() {
        QFETCH(int, canaux);
        QFETCH(int, octetsGardes);
        QFETCH(int, tramesAttendues);
        const QString chemin = Chemin(QStringLiteral("entier_%1.wav").arg(canaux));
        QVERIFY(EcrireSinus(chemin, SF_FORMAT_WAV | SF_FORMAT_PCM_16, canaux, 8000, 800).isEmpty());
        const QByteArray entier = Lire(chemin);
        QCOMPARE(entier.mid(36, 4), QByteArray("data")); // the cut points assume a 44-byte header

        SonDecode son;
        QString erreur;
        QVERIFY2(DecoderSonMemoire(entier.left(octetsGardes), son, erreur), qPrintable(erreur));
        QCOMPARE(son.Canaux, canaux);
        QCOMPARE(son.Echantillons.size(), tramesAttendues * canaux);
        QVERIFY(RapportSignalBruit(son, 0, tramesAttendues) > 80.0);
    }

    // Ten minutes is the bound; past it the file is refused before anything big is allocated.
    void dureeLimite_data() {
        QTest::addColumn<int>("secondes");
        QTest::addColumn<bool>("accepte");
        QTest::newRow("dix minutes") << 600 << true;
        QTest::newRow("dix minutes et une seconde") << 601 << false;
    }

    void dureeLimite() {
        QFETCH(int, secondes);
        QFETCH(bool, accepte);
        const int frequence = 4000;
        const quint32 octets = quint32(secondes * frequence);
        QByteArray contenu = EnteteWav(1, frequence, 8, octets);
        contenu.append(QByteArray(int(octets), char(0x80)));

        SonDecode son;
        QString erreur;
        QCOMPARE(DecoderSonMemoire(contenu, son, erreur), accepte);
        if (accepte) {
            QCOMPARE(son.Echantillons.size(), qsizetype(octets));
        } else {
            QVERIFY2(erreur.contains(QStringLiteral("10 minutes")), qPrintable(erreur));
            QVERIFY(son.Echantillons.isEmpty());
        }
    }

    // Damaged compressed files: every result is either a clean refusal or a consistent sound.
    void fichiersAbimes_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("canaux");
        QTest::newRow("ima_adpcm stereo") << (SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM) << 2;
        QTest::newRow("ms_adpcm mono") << (SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM) << 1;
        QTest::newRow("gsm610 mono") << (SF_FORMAT_WAV | SF_FORMAT_GSM610) << 1;
        QTest::newRow("pcm_16 stereo") << (SF_FORMAT_WAV | SF_FORMAT_PCM_16) << 2;
    }

    void fichiersAbimes() {
        QFETCH(int, format);
        QFETCH(int, canaux);
        const QString chemin = Chemin(QString::fromLatin1(QTest::currentDataTag()) + "_sain.wav");
        QVERIFY(EcrireSinus(chemin, format, canaux, 8000, 4000).isEmpty());
        const QByteArray sain = Lire(chemin);
        QVERIFY(!sain.isEmpty());

        QRandomGenerator hasard(1234);
        for (int essai = 0; essai < 300; ++essai) {
            QByteArray abime = sain;
            if (essai % 3 == 0) {
                abime.truncate(int(hasard.bounded(abime.size())));
            } else {
                // Damage concentrated in the header, where the sizes and block layout live.
                const int zone =
                    essai % 3 == 1 ? std::min<int>(96, int(abime.size())) : int(abime.size());
                for (int n = 0; n < 4; ++n)
                    abime[int(hasard.bounded(zone))] = char(hasard.bounded(256));
            }
            SonDecode son;
            QString erreur;
            if (DecoderSonMemoire(abime, son, erreur)) {
                QVERIFY(son.Canaux >= 1 && son.Canaux <= 8);
                QVERIFY(son.Frequence > 0);
                QVERIFY(!son.Echantillons.isEmpty());
                QCOMPARE(son.Echantillons.size() % son.Canaux, 0);
            } else {
                QVERIFY2(erreur.size() > QStringLiteral("Impossible de lire le son : ").size(),
                         qPrintable(erreur));
                QVERIFY(son.Echantillons.isEmpty());
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestDecodageWav)
#include "tst_decodagewav.moc"
