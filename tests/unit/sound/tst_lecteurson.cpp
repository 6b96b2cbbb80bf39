// The sound player: opening decodes at once and reports unreadable files; playing never fails
// nor speaks, device or not; the conversion used when a device refuses the file's format.
// The same cases run against the Windows player, whose device is looked for through waveOut.

#include "Doubles.h"
#include "sound/ConversionPcm.h"
#include "sound/Ralenti.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include "sound/LecteurSonWin.h"

#include <windows.h>

#include <mmsystem.h>
using Lecteur = LecteurSonWin;
#else
#include "sound/LecteurSonQt.h"

#include <QAudioDevice>
#include <QMediaDevices>
using Lecteur = LecteurSonQt;
#endif

#include <sndfile.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;

// A 440 Hz sine at half scale, written by libsndfile.
bool EcrireSinus(const QString& chemin, int format, int canaux, int frequence, double secondes) {
    SF_INFO info = {};
    info.samplerate = frequence;
    info.channels = canaux;
    info.format = format;
    SNDFILE* f = sf_open(QFile::encodeName(chemin).constData(), SFM_WRITE, &info);
    if (!f)
        return false;
    const auto trames = sf_count_t(secondes * frequence);
    std::vector<short> tampon(size_t(trames * canaux));
    for (sf_count_t t = 0; t < trames; ++t)
        for (int c = 0; c < canaux; ++c)
            tampon[size_t(t * canaux + c)] =
                short(16383 * std::sin(2 * Pi * 440 * double(t) / frequence));
    sf_writef_short(f, tampon.data(), trames);
    sf_close(f);
    return true;
}

SonDecode Son(int canaux, int frequence, const QVector<qint16>& echantillons) {
    SonDecode son;
    son.Canaux = canaux;
    son.Frequence = frequence;
    son.Echantillons = echantillons;
    return son;
}

#ifndef Q_OS_WIN
QAudioFormat Format(int canaux, int frequence, QAudioFormat::SampleFormat type) {
    QAudioFormat f;
    f.setChannelCount(canaux);
    f.setSampleRate(frequence);
    f.setSampleFormat(type);
    return f;
}

template <typename T> QByteArray Octets(std::initializer_list<T> valeurs) {
    QByteArray o;
    for (T v : valeurs)
        o.append(reinterpret_cast<const char*>(&v), sizeof v);
    return o;
}
#endif

template <typename T> QVector<T> Valeurs(const QByteArray& octets) {
    QVector<T> v(octets.size() / qsizetype(sizeof(T)));
    std::memcpy(v.data(), octets.constData(), size_t(v.size()) * sizeof(T));
    return v;
}

bool SansPeripherique() {
#ifdef Q_OS_WIN
    // Opened for real: a device that is listed but cannot play counts as none.
    WAVEFORMATEX f = {};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = 2;
    f.nSamplesPerSec = 44100;
    f.wBitsPerSample = 16;
    f.nBlockAlign = 4;
    f.nAvgBytesPerSec = 44100 * 4;
    HWAVEOUT sortie = nullptr;
    if (waveOutOpen(&sortie, WAVE_MAPPER, &f, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR)
        return true;
    waveOutClose(sortie);
    return false;
#else
    return QMediaDevices::defaultAudioOutput().isNull();
#endif
}

// Upward zero crossings of the first channel, with a little hysteresis: the tone's periods.
int Periodes(const SonDecode& son) {
    int n = 0;
    bool bas = false;
    for (qsizetype i = 0; i < son.Echantillons.size(); i += son.Canaux) {
        const qint16 v = son.Echantillons.at(i);
        if (v < -1000)
            bas = true;
        else if (v > 1000 && bas) {
            ++n;
            bas = false;
        }
    }
    return n;
}

qsizetype Trames(const SonDecode& son) {
    return son.Canaux > 0 ? son.Echantillons.size() / son.Canaux : 0;
}

bool FenetreVisible() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            return true;
    return false;
}

} // namespace

class TestLecteurSon : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dossier;
    QString m_court; // 0.3 s, mono 22050 Hz
    QString m_long;  // 3 s, stereo 44100 Hz
    QString m_adpcm; // 0.5 s, IMA ADPCM mono 11025 Hz
    QString m_abime; // text named .wav

private slots:
    void initTestCase() {
        QVERIFY(m_dossier.isValid());
        m_court = m_dossier.filePath(QStringLiteral("court.wav"));
        m_long = m_dossier.filePath(QStringLiteral("long.wav"));
        m_adpcm = m_dossier.filePath(QStringLiteral("adpcm.wav"));
        m_abime = m_dossier.filePath(QStringLiteral("abîmé.wav"));
        QVERIFY(EcrireSinus(m_court, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 22050, 0.3));
        QVERIFY(EcrireSinus(m_long, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, 3.0));
        QVERIFY(EcrireSinus(m_adpcm, SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM, 1, 11025, 0.5));
        QFile abime(m_abime);
        QVERIFY(abime.open(QIODevice::WriteOnly));
        abime.write("ceci n'est pas un son");
    }

    void ralentir_data();
    void ralentir();
    void jouerLentement();

    void ouvrir_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<bool>("ouvert");
        QTest::addColumn<QString>("nomDansLeMessage");
        QTest::newRow("pcm 16") << "court.wav" << true << "";
        QTest::newRow("ima adpcm") << "adpcm.wav" << true << "";
        QTest::newRow("texte nomme wav") << "abîmé.wav" << false << "abîmé.wav";
        QTest::newRow("absent") << "absent.wav" << false << "absent.wav";
        QTest::newRow("nom vide") << "" << false << "";
    }

    void ouvrir() {
        QFETCH(QString, fichier);
        QFETCH(bool, ouvert);
        QFETCH(QString, nomDansLeMessage);
        Lecteur son;
        son.DefinirFichier(fichier.isEmpty() ? QString() : m_dossier.filePath(fichier));
        QString erreur;
        QCOMPARE(son.Ouvrir(&erreur), ouvert);
        QCOMPARE(son.Ouvert(), ouvert);
        if (ouvert) {
            QVERIFY(erreur.isEmpty());
        } else {
            QVERIFY2(erreur.startsWith(QStringLiteral("Impossible de lire le son")),
                     qPrintable(erreur));
            if (!nomDansLeMessage.isEmpty())
                QVERIFY2(erreur.contains(QStringLiteral("« %1 »").arg(nomDansLeMessage)),
                         qPrintable(erreur));
        }
        // Callers that do not want the reason pass no pointer.
        QCOMPARE(son.Ouvrir(nullptr), ouvert);
    }

    // Opening closes what was open: after a failed open nothing is left to play.
    void echecApresSucces() {
        Lecteur son;
        son.DefinirFichier(m_court);
        QVERIFY(son.Ouvrir(nullptr));
        son.Jouer();
        son.DefinirFichier(m_abime);
        QString erreur;
        QVERIFY(!son.Ouvrir(&erreur));
        QVERIFY(!son.Ouvert());
        son.Jouer();
        QTRY_VERIFY(!son.EnCours());
    }

    // Naming a file does not close the sound already opened: only opening does.
    void definirSansOuvrir() {
        Lecteur son;
        son.DefinirFichier(m_court);
        QVERIFY(son.Ouvrir(nullptr));
        son.DefinirFichier(m_abime);
        QVERIFY(son.Ouvert());
    }

    void jouerSansPeripherique() {
        if (!SansPeripherique())
            QSKIP("a sound device is present here");
        Lecteur son;
        son.DefinirFichier(m_long);
        QVERIFY(son.Ouvrir(nullptr));
        son.Jouer();
        QTest::qWait(50);
        QVERIFY(!son.EnCours());
        QVERIFY(!FenetreVisible());
        son.Arreter();
    }

    // A new sound while one plays: the second opens and plays; listening again restarts.
    void secondFichierApresJouer() {
        Lecteur son;
        son.DefinirFichier(m_long);
        QVERIFY(son.Ouvrir(nullptr));
        son.Jouer();
        son.DefinirFichier(m_adpcm);
        QString erreur;
        QVERIFY2(son.Ouvrir(&erreur), qPrintable(erreur));
        son.Jouer();
        son.Jouer();
        QVERIFY(son.Ouvert());
        QVERIFY(!FenetreVisible());
        if (!SansPeripherique())
            QTRY_VERIFY(son.EnCours());
    }

    // A pupil hammering "listen": every call cuts the one before; the last one wins.
    void appelsRapproches() {
        Lecteur son;
        for (int i = 0; i < 40; ++i) {
            son.DefinirFichier(i % 2 ? m_court : m_long);
            QVERIFY(son.Ouvrir(nullptr));
            son.Jouer();
            if (i % 3 == 0)
                son.Arreter();
            if (i % 5 == 0)
                QCoreApplication::processEvents();
        }
        son.Arreter();
        QTRY_VERIFY(!son.EnCours());
        son.DefinirFichier(m_long);
        QVERIFY(son.Ouvrir(nullptr));
        son.Jouer();
        if (!SansPeripherique())
            QTRY_VERIFY(son.EnCours());
    }

    // The player may go away in the middle of a sound (the program closing).
    void detruitPendantLaLecture() {
        auto son = std::make_unique<Lecteur>();
        son->DefinirFichier(m_long);
        QVERIFY(son->Ouvrir(nullptr));
        son->Jouer();
        son.reset();
        QVERIFY(!son);
    }

    // Only with a device: start, stop, cut by a new open, and the end reached by itself.
    void avecPeripherique() {
        if (SansPeripherique())
            QSKIP("no sound device here");
        Lecteur son;
        son.DefinirFichier(m_long);
        QVERIFY(son.Ouvrir(nullptr));
        son.Jouer();
        QTRY_VERIFY(son.EnCours());
        son.Arreter();
        QTRY_VERIFY(!son.EnCours());

        son.Jouer();
        QTRY_VERIFY(son.EnCours());
        son.DefinirFichier(m_court);
        QVERIFY(son.Ouvrir(nullptr));
        QTRY_VERIFY(!son.EnCours());

        // The interface thread blocks (the farewell pauses): the sound still runs to its end.
        son.Jouer();
        QTRY_VERIFY(son.EnCours());
        QThread::msleep(5000); // a 0.3 s sound; the output reports its end a second or two late
        QVERIFY(!son.EnCours());
    }

    void formatSansPeripherique() {
#ifdef Q_OS_WIN
        QSKIP("Qt Multimedia's formats: the Windows player has its own conversion");
#else
        const QAudioFormat f = LecteurSonQt::FormatPour(Son(2, 11025, {}), QAudioDevice());
        QCOMPARE(f.channelCount(), 2);
        QCOMPARE(f.sampleRate(), 11025);
        QCOMPARE(f.sampleFormat(), QAudioFormat::Int16);
#endif
    }

    void convertirExact_data() {
#ifndef Q_OS_WIN
        QTest::addColumn<int>("canaux");
        QTest::addColumn<QVector<qint16>>("echantillons");
        QTest::addColumn<int>("canauxCible");
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("attendu");

        const QVector<qint16> extremes = {0, 32767, -32768, 256, -257};
        QTest::newRow("int16 a l'identique") << 1 << extremes << 1 << int(QAudioFormat::Int16)
                                             << Octets<qint16>({0, 32767, -32768, 256, -257});
        QTest::newRow("uint8") << 1 << extremes << 1 << int(QAudioFormat::UInt8)
                               << Octets<quint8>({128, 255, 0, 129, 127});
        QTest::newRow("int32") << 1 << extremes << 1 << int(QAudioFormat::Int32)
                               << Octets<qint32>({0, 32767 * 65536, -32768 * 65536, 256 * 65536,
                                                  -257 * 65536});
        QTest::newRow("float") << 1 << QVector<qint16>{0, 16384, -32768} << 1
                               << int(QAudioFormat::Float) << Octets<float>({0.0f, 0.5f, -1.0f});
        QTest::newRow("mono vers stereo")
            << 1 << QVector<qint16>{5, -7, 9} << 2 << int(QAudioFormat::Int16)
            << Octets<qint16>({5, 5, -7, -7, 9, 9});
        QTest::newRow("stereo vers mono")
            << 2 << QVector<qint16>{100, 300, -50, -150} << 1 << int(QAudioFormat::Int16)
            << Octets<qint16>({200, -100});
        QTest::newRow("stereo vers six canaux")
            << 2 << QVector<qint16>{1, 2, 3, 4} << 6 << int(QAudioFormat::Int16)
            << Octets<qint16>({1, 2, 0, 0, 0, 0, 3, 4, 0, 0, 0, 0});
#endif
    }

    void convertirExact() {
#ifdef Q_OS_WIN
        QSKIP("Qt Multimedia's formats: the Windows player has its own conversion");
#else
        QFETCH(int, canaux);
        QFETCH(QVector<qint16>, echantillons);
        QFETCH(int, canauxCible);
        QFETCH(int, type);
        QFETCH(QByteArray, attendu);
        const QByteArray obtenu =
            LecteurSonQt::Convertir(Son(canaux, 8000, echantillons),
                                    Format(canauxCible, 8000, QAudioFormat::SampleFormat(type)));
        QCOMPARE(obtenu.toHex(' '), attendu.toHex(' '));
#endif
    }

    // The Windows player's own conversion, when the device refuses the file's layout.
    void convertirPcm16_data() {
        QTest::addColumn<int>("canaux");
        QTest::addColumn<int>("frequence");
        QTest::addColumn<QVector<qint16>>("echantillons");
        QTest::addColumn<int>("canauxCible");
        QTest::addColumn<int>("frequenceCible");
        QTest::addColumn<QVector<qint16>>("attendu");
        using V = QVector<qint16>;
        const V extremes = {0, 32767, -32768, 256, -257};
        QTest::newRow("a l'identique") << 1 << 8000 << extremes << 1 << 8000 << extremes;
        QTest::newRow("mono vers stereo")
            << 1 << 8000 << V{5, -7, 32767} << 2 << 8000 << V{5, 5, -7, -7, 32767, 32767};
        QTest::newRow("stereo vers mono, moyenne arrondie")
            << 2 << 8000 << V{100, 300, -32768, -32767, 1, 2} << 1 << 8000 << V{200, -32768, 2};
        QTest::newRow("stereo vers six canaux")
            << 2 << 8000 << V{1, 2, 3, 4} << 6 << 8000 << V{1, 2, 0, 0, 0, 0, 3, 4, 0, 0, 0, 0};
        QTest::newRow("six canaux vers stereo")
            << 6 << 8000 << V{1, 2, 3, 4, 5, 6} << 2 << 8000 << V{1, 2};
        QTest::newRow("double frequence, interpolee")
            << 1 << 8000 << V{0, 100, -100} << 1 << 16000 << V{0, 50, 100, 0, -100, -100};
        QTest::newRow("trame incomplete ignoree")
            << 2 << 8000 << V{1, 2, 3} << 2 << 8000 << V{1, 2};
        QTest::newRow("vide") << 1 << 8000 << V{} << 2 << 48000 << V{};
        QTest::newRow("sans canal") << 0 << 8000 << V{1, 2} << 2 << 48000 << V{};
        QTest::newRow("sans frequence") << 1 << 0 << V{1, 2} << 2 << 48000 << V{};
        QTest::newRow("cible sans canal") << 1 << 8000 << V{1, 2} << 0 << 48000 << V{};
    }

    void convertirPcm16() {
        QFETCH(int, canaux);
        QFETCH(int, frequence);
        QFETCH(QVector<qint16>, echantillons);
        QFETCH(int, canauxCible);
        QFETCH(int, frequenceCible);
        QFETCH(QVector<qint16>, attendu);
        QCOMPARE(ConvertirPcm16(Son(canaux, frequence, echantillons), canauxCible, frequenceCible),
                 attendu);
    }

    // The microphone's frames as one channel, and the peak the level meter shows.
    void ajouterEnMono_data() {
        QTest::addColumn<QVector<qint16>>("deja");
        QTest::addColumn<int>("canaux");
        QTest::addColumn<QVector<qint16>>("trames");
        QTest::addColumn<QVector<qint16>>("attendu");
        QTest::addColumn<int>("crete");
        using V = QVector<qint16>;
        QTest::newRow("mono, plus grand negatif")
            << V{} << 1 << V{5, -32768, 32767} << V{5, -32768, 32767} << 32768;
        QTest::newRow("stereo moyenne")
            << V{} << 2 << V{100, 300, -50, -150} << V{200, -100} << 200;
        QTest::newRow("stereo extremes")
            << V{} << 2 << V{-32768, -32768, 32767, 32767} << V{-32768, 32767} << 32768;
        QTest::newRow("moyenne vers zero") << V{} << 2 << V{1, 2, -1, -2} << V{1, -1} << 1;
        QTest::newRow("ajoute apres ce qui est la")
            << V{7, -9000} << 1 << V{3} << V{7, -9000, 3} << 3;
        QTest::newRow("trame incomplete ignoree") << V{} << 2 << V{4, 6, 30000} << V{5} << 5;
        QTest::newRow("rien") << V{7} << 2 << V{} << V{7} << 0;
    }

    void ajouterEnMono() {
        QFETCH(QVector<qint16>, deja);
        QFETCH(int, canaux);
        QFETCH(QVector<qint16>, trames);
        QFETCH(QVector<qint16>, attendu);
        QFETCH(int, crete);
        QVector<qint16> sortie = deja;
        QCOMPARE(AjouterEnMono(trames.constData(), trames.size() / canaux, canaux, sortie), crete);
        QCOMPARE(sortie, attendu);
    }

    // Resampling keeps the duration and the tone.
    void reechantillonner_data() {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("cible");
        QTest::newRow("22050 vers 48000") << 22050 << 48000;
        QTest::newRow("11025 vers 44100") << 11025 << 44100;
        QTest::newRow("44100 vers 48000") << 44100 << 48000;
        QTest::newRow("48000 vers 22050") << 48000 << 22050;
    }

    void reechantillonner() {
        QFETCH(int, source);
        QFETCH(int, cible);
        const int trames = source; // one second
        QVector<qint16> sinus(trames);
        for (int t = 0; t < trames; ++t)
            sinus[t] = qint16(16383 * std::sin(2 * Pi * 440 * t / source));
        std::vector<QVector<qint16>> sorties = {ConvertirPcm16(Son(1, source, sinus), 1, cible)};
#ifndef Q_OS_WIN
        sorties.push_back(Valeurs<qint16>(
            LecteurSonQt::Convertir(Son(1, source, sinus), Format(1, cible, QAudioFormat::Int16))));
#endif
        for (const QVector<qint16>& sortie : sorties) {
            QCOMPARE(sortie.size(), qsizetype(cible));
            double signal = 0;
            double bruit = 0;
            for (int t = 0; t < cible; ++t) {
                const double attendu = 16383 * std::sin(2 * Pi * 440 * t / cible);
                signal += attendu * attendu;
                bruit += (sortie[t] - attendu) * (sortie[t] - attendu);
            }
            const double rapport = 10 * std::log10(signal / std::max(bruit, 1e-9));
            QVERIFY2(rapport > 30, qPrintable(QStringLiteral("%1 dB").arg(rapport)));
        }
    }

    // An integer ratio takes every n-th sample exactly: no drift along the sound.
    void reduireSansDerive() {
        QVector<qint16> rampe(600);
        for (int i = 0; i < rampe.size(); ++i)
            rampe[i] = qint16(i * 10);
        std::vector<QVector<qint16>> sorties = {ConvertirPcm16(Son(1, 48000, rampe), 1, 8000)};
#ifndef Q_OS_WIN
        sorties.push_back(Valeurs<qint16>(
            LecteurSonQt::Convertir(Son(1, 48000, rampe), Format(1, 8000, QAudioFormat::Int16))));
#endif
        for (const QVector<qint16>& sortie : sorties) {
            QCOMPARE(sortie.size(), 100);
            for (int i = 0; i < sortie.size(); ++i)
                QCOMPARE(sortie[i], qint16(i * 60));
        }
    }
};

// "J'écoute lentement": a 440 Hz tone between silences, stretched. It lasts 1/speed as long
// and holds as many more periods, so its pitch is the same (a resampling would keep the periods
// and lower the pitch); the layout is the file's.
void TestLecteurSon::ralentir_data() {
    QTest::addColumn<int>("frequence");
    QTest::addColumn<int>("canaux");
    QTest::addColumn<double>("vitesse");
    QTest::addColumn<double>("allongement");
    QTest::newRow("70 %, mono 22050 Hz") << 22050 << 1 << 0.7 << 1 / 0.7;
    QTest::newRow("70 %, stereo 44100 Hz") << 44100 << 2 << 0.7 << 1 / 0.7;
    QTest::newRow("70 %, mono 8000 Hz") << 8000 << 1 << 0.7 << 1 / 0.7;
    QTest::newRow("slower than the floor: 50 %") << 22050 << 1 << 0.1 << 2.0;
    QTest::newRow("100 %: the sound itself") << 22050 << 1 << 1.0 << 1.0;
}

void TestLecteurSon::ralentir() {
    QFETCH(int, frequence);
    QFETCH(int, canaux);
    QFETCH(double, vitesse);
    QFETCH(double, allongement);
    if (!EcouteLenteIntegree && vitesse < 1)
        QSKIP("built without SoundTouch: a slow listen plays at the sound's pace");
    auto source = std::make_shared<SonDecode>();
    QString erreur;
    QVERIFY2(DecoderSonMemoire(WavTonalite(1.0, frequence, canaux), *source, erreur),
             qPrintable(erreur));
    const std::shared_ptr<const SonDecode> ralenti = Ralentir(source, vitesse);
    QVERIFY(ralenti);
    QCOMPARE(ralenti->Canaux, canaux);
    QCOMPARE(ralenti->Frequence, frequence);
    const double duree = double(Trames(*ralenti)) / double(Trames(*source));
    QVERIFY2(std::abs(duree / allongement - 1) < 0.05, qPrintable(QString::number(duree)));
    const double periodes = double(Periodes(*ralenti)) / Periodes(*source);
    QVERIFY2(std::abs(periodes / allongement - 1) < 0.03, qPrintable(QString::number(periodes)));
    if (vitesse >= 1)
        QCOMPARE(ralenti.get(), source.get());
    // The same item slowed again is the stretch already made; another item is stretched anew.
    MemoireRalenti memoire;
    const auto premiere = memoire.Pour(source, vitesse);
    QCOMPARE(memoire.Pour(source, vitesse).get(), premiere.get());
    QCOMPARE(memoire.Pour(source, 1).get(), source.get());
    const auto autre = std::make_shared<const SonDecode>(*source);
    QCOMPARE(memoire.Pour(autre, vitesse).get() == autre.get(), vitesse >= 1);
}

// A slow listen goes through the player's thread like any other: with a device it is heard,
// and for longer than the sound itself; without one it is silence, never a window.
void TestLecteurSon::jouerLentement() {
    Lecteur son;
    son.DefinirFichier(m_court);
    QVERIFY(son.Ouvrir(nullptr));
    son.Jouer(VitesseLente);
    son.Jouer(VitesseLente); // again: the stretch made once is played again
    QVERIFY(!FenetreVisible());
    if (SansPeripherique()) {
        QTest::qWait(50);
        QVERIFY(!son.EnCours());
        return;
    }
    QTRY_VERIFY(son.EnCours());
    son.Arreter();
    QTRY_VERIFY(!son.EnCours());
}

QTEST_MAIN(TestLecteurSon)
#include "tst_lecteurson.moc"
