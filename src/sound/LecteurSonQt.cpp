#include "sound/LecteurSonQt.h"

#include "sound/Ralenti.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QDeadlineTimer>
#include <QMediaDevices>
#include <QMutex>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <utility>

// Owns the output and the buffer it pulls from; every member function runs on the audio thread.
//
// Destroying Qt's PulseAudio sink delivers pending events before it returns, so a later Jouer or
// Arreter may run in the middle of Couper. Members are therefore emptied before anything is
// destroyed, and a Jouer that finds a later call has run meanwhile gives way to it.
class MoteurSon : public QObject {
public:
    ~MoteurSon() override {
        m_fermeture = true;
        Couper();
    }

    bool EnCours() const { return m_enCours.load(); }

    // From the interface thread: the sound to play now (nullptr: silence) and its pace. Only
    // the latest request counts; while the audio thread is held up, clicks do not pile up
    // behind it.
    void Demander(std::shared_ptr<const SonDecode> son, double vitesse = 1) {
        bool reveiller = false;
        {
            const QMutexLocker verrou(&m_verrouDemande);
            reveiller = !m_demandeEnAttente;
            m_demande = std::move(son);
            m_vitesseDemandee = vitesse;
            m_demandeEnAttente = true;
        }
        if (reveiller)
            QMetaObject::invokeMethod(this, [this] { Servir(); }, Qt::QueuedConnection);
    }

private:
    // On the audio thread. Asking for the output device talks to the sound server, which may
    // take its time or never answer (a thin-client room whose server is down): that wait is
    // this thread's only, and the window never notices.
    void Servir() {
        std::shared_ptr<const SonDecode> son;
        double vitesse = 1;
        {
            const QMutexLocker verrou(&m_verrouDemande);
            son = std::move(m_demande);
            vitesse = m_vitesseDemandee;
            m_demandeEnAttente = false;
        }
        if (!son) {
            Couper();
            return;
        }
        // A slow listen is stretched here, off the interface thread.
        son = m_ralentis.Pour(son, vitesse);
        // No sound device (a server without audio, a pupil's machine without speakers): silence.
        const QAudioDevice sortie = QMediaDevices::defaultAudioOutput();
        if (sortie.isNull()) {
            Couper();
            return;
        }
        Jouer(son, sortie);
    }

public:
    void Jouer(const std::shared_ptr<const SonDecode>& son, const QAudioDevice& sortie) {
        if (m_fermeture)
            return;
        const quint64 avant = m_generation;
        Couper();
        if (m_generation != avant + 1 || m_fermeture)
            return;
        const quint64 generation = ++m_generation;

        const QAudioFormat format = LecteurSonQt::FormatPour(*son, sortie);
        if (format.sampleFormat() == QAudioFormat::Int16 && format.channelCount() == son->Canaux &&
            format.sampleRate() == son->Frequence) {
            // The decoded samples are played in place; m_son keeps them alive meanwhile.
            m_son = son;
            m_octets = QByteArray::fromRawData(
                reinterpret_cast<const char*>(m_son->Echantillons.constData()),
                m_son->Echantillons.size() * qsizetype(sizeof(qint16)));
        } else {
            m_octets = LecteurSonQt::Convertir(*son, format);
        }
        m_tampon = std::make_unique<QBuffer>();
        m_tampon->setData(m_octets);
        m_tampon->open(QIODevice::ReadOnly);
        m_sortie = std::make_unique<QAudioSink>(sortie, format);
        connect(m_sortie.get(), &QAudioSink::stateChanged, this,
                [this, generation](QAudio::State etat) { EtatChange(generation, etat); });
        m_sortie->start(m_tampon.get());
        if (generation != m_generation)
            return;
        if (m_sortie->error() != QAudio::NoError) {
            Couper();
            return;
        }
        m_enCours = true;
    }

    void Couper() {
        m_enCours = false;
        ++m_generation;
        // Declared in this order so that the sink goes first, then the buffer it reads, then
        // the samples the buffer points into.
        const std::shared_ptr<const SonDecode> son = std::move(m_son);
        const QByteArray octets = std::exchange(m_octets, QByteArray());
        const std::unique_ptr<QBuffer> tampon = std::move(m_tampon);
        const std::unique_ptr<QAudioSink> sortie = std::move(m_sortie);
        if (sortie) {
            sortie->disconnect(this);
            sortie->stop();
        }
    }

private:
    void EtatChange(quint64 generation, QAudio::State etat) {
        if (generation != m_generation || !m_sortie)
            return;
        const bool fini = (etat == QAudio::IdleState && m_tampon && m_tampon->atEnd()) ||
                          etat == QAudio::StoppedState;
        if (!fini)
            return;
        m_enCours = false;
        // Idle means the buffer is read, not yet heard: the device still holds its own buffer,
        // so the output is released only once that has had time to play. Never from inside
        // the sink's own signal either.
        const qint64 resteMs =
            m_sortie->format().durationForBytes(static_cast<qint32>(m_sortie->bufferSize())) /
                1000 +
            200;
        QTimer::singleShot(std::chrono::milliseconds(resteMs), this, [this, generation] {
            if (generation == m_generation)
                Couper();
        });
    }

    std::atomic<bool> m_enCours{false};
    QMutex m_verrouDemande;
    std::shared_ptr<const SonDecode> m_demande;
    double m_vitesseDemandee = 1;
    bool m_demandeEnAttente = false;
    MemoireRalenti m_ralentis;
    bool m_fermeture = false;
    quint64 m_generation = 0;
    std::shared_ptr<const SonDecode> m_son;
    QByteArray m_octets;
    std::unique_ptr<QBuffer> m_tampon;
    std::unique_ptr<QAudioSink> m_sortie;
};

LecteurSonQt::LecteurSonQt(QObject* parent)
    : QObject(parent), m_fil(new QThread), m_moteur(new MoteurSon) {
    // A thread that a hung sound server still holds when the player ends is let go on purpose
    // (see the destructor), and the engine with it.
    m_fil->setObjectName(QStringLiteral("Son"));
    m_moteur->moveToThread(m_fil);
    MoteurSon* moteur = m_moteur;
    connect(m_fil, &QThread::finished, moteur, [moteur] { delete moteur; }, Qt::DirectConnection);
    m_fil->start();
}

LecteurSonQt::~LecteurSonQt() {
    // The output and its timers belong to the audio thread: they are torn down there, once its
    // event loop has ended, so no call of the player is still under way on its stack.
    m_fil->quit();
    if (m_fil->wait(QDeadlineTimer(AttenteFinMs))) {
        delete m_fil;
        return;
    }
    // Still held by a sound server that does not answer: the program must end all the same.
    // The thread and what it owns are let go on purpose, since deleting a running thread would
    // abort the program: the engine is deleted on the thread when its loop ends, and the thread
    // by the interface thread's loop if the program is still running then; otherwise both are
    // left to the end of the process.
    connect(m_fil, &QThread::finished, m_fil, &QObject::deleteLater);
    if (m_fil->wait(0)) { // ended just now, before the connection
        delete m_fil;
        return;
    }
    m_fil = nullptr;
}

void LecteurSonQt::DefinirFichier(const QString& chemin) {
    m_chemin = chemin;
}

bool LecteurSonQt::Ouvrir(QString* erreur) {
    // Opening closes what was open: the sound still playing stops now, even if this one fails.
    Arreter();
    m_son = DecoderPourJouer(m_chemin, erreur);
    return m_son != nullptr;
}

// Returns at once: the device is looked up, a slow listen stretched and the output started on
// the audio thread.
void LecteurSonQt::Jouer(double vitesse) {
    if (m_son)
        m_moteur->Demander(m_son, vitesse);
}

void LecteurSonQt::Arreter() {
    m_moteur->Demander(nullptr);
}

bool LecteurSonQt::EnCours() const {
    return m_moteur->EnCours();
}

QAudioFormat LecteurSonQt::FormatPour(const SonDecode& son, const QAudioDevice& sortie) {
    QAudioFormat format;
    format.setSampleRate(son.Frequence);
    format.setChannelCount(son.Canaux);
    format.setSampleFormat(QAudioFormat::Int16);
    if (sortie.isNull() || sortie.isFormatSupported(format))
        return format;
    QAudioFormat prefere = sortie.preferredFormat();
    if (prefere.isValid() && prefere.sampleFormat() != QAudioFormat::Unknown)
        return prefere;
    format.setSampleRate(48000);
    format.setChannelCount(2);
    return format;
}

namespace {

// One source channel for an output channel: mono spreads to all, several fold to mono,
// otherwise channel for channel and silence for the extra outputs.
float Source(const qint16* trame, int canauxSource, int canalCible, int canauxCible) {
    if (canauxSource == 1)
        return trame[0];
    if (canauxCible == 1) {
        float somme = 0;
        for (int c = 0; c < canauxSource; ++c)
            somme += trame[c];
        return somme / static_cast<float>(canauxSource);
    }
    return canalCible < canauxSource ? trame[canalCible] : 0.0f;
}

void Ecrire(char* destination, QAudioFormat::SampleFormat type, float v) {
    v = std::clamp(v, -32768.0f, 32767.0f);
    switch (type) {
    case QAudioFormat::UInt8: {
        const auto o = static_cast<quint8>(std::clamp(std::lrint(v / 256.0f) + 128, 0L, 255L));
        std::memcpy(destination, &o, 1);
        break;
    }
    case QAudioFormat::Int32: {
        const qint32 o = static_cast<qint32>(std::lrint(v)) * 65536;
        std::memcpy(destination, &o, 4);
        break;
    }
    case QAudioFormat::Float: {
        const float o = v / 32768.0f;
        std::memcpy(destination, &o, 4);
        break;
    }
    default: {
        const auto o = static_cast<qint16>(std::lrint(v));
        std::memcpy(destination, &o, 2);
        break;
    }
    }
}

} // namespace

QByteArray LecteurSonQt::Convertir(const SonDecode& son, const QAudioFormat& cible) {
    if (son.Canaux < 1 || son.Frequence < 1 || !cible.isValid())
        return {};
    const qsizetype tramesSource = son.Echantillons.size() / son.Canaux;
    if (tramesSource == 0)
        return {};
    const int canaux = cible.channelCount();
    const int octetsParEchantillon = cible.bytesPerSample();
    const double pas = static_cast<double>(son.Frequence) / cible.sampleRate();
    const auto tramesCible = static_cast<qsizetype>(
        std::llround(static_cast<double>(tramesSource) * cible.sampleRate() / son.Frequence));
    QByteArray sortie(tramesCible * canaux * octetsParEchantillon, Qt::Uninitialized);
    char* ecriture = sortie.data();
    const qint16* echantillons = son.Echantillons.constData();
    for (qsizetype i = 0; i < tramesCible; ++i) {
        const double position = static_cast<double>(i) * pas;
        const auto avant = std::min(static_cast<qsizetype>(position), tramesSource - 1);
        const qsizetype apres = std::min(avant + 1, tramesSource - 1);
        const auto fraction = static_cast<float>(position - static_cast<double>(avant));
        const qint16* trameAvant = echantillons + avant * son.Canaux;
        const qint16* trameApres = echantillons + apres * son.Canaux;
        for (int c = 0; c < canaux; ++c) {
            const float a = Source(trameAvant, son.Canaux, c, canaux);
            const float b = Source(trameApres, son.Canaux, c, canaux);
            Ecrire(ecriture, cible.sampleFormat(), a + (b - a) * fraction);
            ecriture += octetsParEchantillon;
        }
    }
    return sortie;
}
