#include "sound/CaptureQt.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QMediaDevices>
#include <QMutex>
#include <QMutexLocker>

#include <algorithm>
#include <atomic>
#include <cstring>

// What the window's thread and the capture's thread share.
struct PartageCapture {
    std::atomic<EtatCapture> Etat{EtatCapture::Arretee};
    std::atomic<int> Crete{0}; // since the last Niveau()
    QMutex Verrou;             // guards the three below
    QString Erreur;
    int Frequence = 0;
    QVector<qint16> Echantillons;

    void Echouer(const QString& texte) {
        {
            const QMutexLocker verrou(&Verrou);
            Erreur = texte;
        }
        Etat = EtatCapture::Erreur;
    }
};

namespace {

const QString aucunMicro = QStringLiteral(
    "Aucun micro n'a été trouvé sur cet ordinateur. Branchez-en un, ou donnez un son à l'item "
    "avec la voix de synthèse ou en important un fichier.");

// One frame of any sample format as a 16-bit value, channels averaged.
qint16 EnMono(const char* trame, const QAudioFormat& f) {
    const int canaux = f.channelCount();
    const int taille = f.bytesPerSample();
    double somme = 0.0;
    for (int c = 0; c < canaux; ++c) {
        const char* e = trame + c * taille;
        switch (f.sampleFormat()) {
        case QAudioFormat::UInt8:
            somme += (static_cast<unsigned char>(*e) - 128) * 256.0;
            break;
        case QAudioFormat::Int32: {
            qint32 v;
            std::memcpy(&v, e, 4);
            somme += v / 65536.0;
            break;
        }
        case QAudioFormat::Float: {
            float v;
            std::memcpy(&v, e, 4);
            somme += std::clamp(v, -1.0f, 1.0f) * 32767.0;
            break;
        }
        default: {
            qint16 v;
            std::memcpy(&v, e, 2);
            somme += v;
            break;
        }
        }
    }
    return static_cast<qint16>(std::clamp(somme / canaux, -32768.0, 32767.0));
}

} // namespace

class MoteurCapture : public QObject {
public:
    explicit MoteurCapture(std::shared_ptr<PartageCapture> partage)
        : m_partage(std::move(partage)) {}
    ~MoteurCapture() override { Fermer(); }

    void Ouvrir() {
        Fermer();
        const QAudioDevice entree = QMediaDevices::defaultAudioInput();
        if (entree.isNull()) {
            m_partage->Echouer(aucunMicro);
            return;
        }
        // The items' own format when the device takes it (no conversion at all), else its own.
        QAudioFormat format;
        format.setSampleRate(22050);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!entree.isFormatSupported(format))
            format = entree.preferredFormat();
        if (!format.isValid()) {
            m_partage->Echouer(aucunMicro);
            return;
        }
        m_format = format;
        {
            const QMutexLocker verrou(&m_partage->Verrou);
            m_partage->Frequence = format.sampleRate();
        }
        m_source = std::make_unique<QAudioSource>(entree, format);
        // Small pieces, so the level meter moves with the voice.
        m_source->setBufferSize(format.bytesForDuration(40000));
        m_entree = m_source->start();
        if (!m_entree || m_source->error() != QAudio::NoError) {
            Fermer();
            m_partage->Echouer(QStringLiteral("Le micro n'a pas pu être ouvert. Vérifiez qu'il "
                                              "est branché et qu'aucun autre programme ne "
                                              "l'utilise."));
            return;
        }
        connect(m_entree, &QIODevice::readyRead, this, [this] { Lire(); });
        connect(m_source.get(), &QAudioSource::stateChanged, this, [this](QAudio::State etat) {
            if (etat == QAudio::StoppedState && m_source && m_source->error() != QAudio::NoError &&
                m_partage->Etat == EtatCapture::EnCours) {
                Lire();
                Fermer();
                m_partage->Echouer(QStringLiteral("Le micro s'est arrêté en cours "
                                                  "d'enregistrement."));
            }
        });
        m_partage->Etat = EtatCapture::EnCours;
    }

    // Qt's audio back end and its list of devices, set up here rather than at the first click.
    void Preparer() { QMediaDevices::defaultAudioInput(); }

    void Arreter() {
        if (m_entree)
            Lire();
        Fermer();
        if (m_partage->Etat != EtatCapture::Erreur)
            m_partage->Etat = EtatCapture::Arretee;
    }

private:
    void Lire() {
        if (!m_entree)
            return;
        m_reste += m_entree->readAll();
        const int octetsTrame = m_format.bytesPerFrame();
        if (octetsTrame <= 0)
            return;
        const qsizetype trames = m_reste.size() / octetsTrame;
        if (trames == 0)
            return;
        QVector<qint16> mono(trames);
        int crete = 0;
        for (qsizetype i = 0; i < trames; ++i) {
            mono[i] = EnMono(m_reste.constData() + i * octetsTrame, m_format);
            crete = std::max(crete, std::abs(int(mono[i])));
        }
        m_reste.remove(0, trames * octetsTrame);
        int avant = m_partage->Crete.load();
        while (crete > avant && !m_partage->Crete.compare_exchange_weak(avant, crete)) {
        }
        const QMutexLocker verrou(&m_partage->Verrou);
        m_partage->Echantillons += mono;
    }

    void Fermer() {
        // Emptied before destroyed: stopping the source may deliver its last signals.
        const std::unique_ptr<QAudioSource> source = std::move(m_source);
        m_entree = nullptr;
        m_reste.clear();
        if (source) {
            source->disconnect(this);
            source->stop();
        }
    }

    std::shared_ptr<PartageCapture> m_partage;
    std::unique_ptr<QAudioSource> m_source;
    QIODevice* m_entree = nullptr; // owned by m_source
    QAudioFormat m_format;
    QByteArray m_reste; // a frame cut between two reads
};

CaptureQt::CaptureQt(QObject* parent)
    : QObject(parent), m_partage(std::make_shared<PartageCapture>()),
      m_moteur(new MoteurCapture(m_partage)) {
    m_fil.setObjectName(QStringLiteral("Capture"));
    m_moteur->moveToThread(&m_fil);
    MoteurCapture* moteur = m_moteur;
    connect(&m_fil, &QThread::finished, moteur, [moteur] { delete moteur; }, Qt::DirectConnection);
    m_fil.start();
}

CaptureQt::~CaptureQt() {
    m_fil.quit();
    // A sound server that hangs keeps the thread in its call: the program does not wait for it
    // forever on its way out.
    if (!m_fil.wait(3000))
        m_fil.terminate();
}

void CaptureQt::Preparer() {
    MoteurCapture* moteur = m_moteur;
    QMetaObject::invokeMethod(moteur, [moteur] { moteur->Preparer(); }, Qt::QueuedConnection);
}

void CaptureQt::Demarrer() {
    {
        const QMutexLocker verrou(&m_partage->Verrou);
        m_partage->Echantillons.clear();
        m_partage->Erreur.clear();
    }
    m_partage->Crete = 0;
    m_partage->Etat = EtatCapture::Ouverture;
    MoteurCapture* moteur = m_moteur;
    QMetaObject::invokeMethod(moteur, [moteur] { moteur->Ouvrir(); }, Qt::QueuedConnection);
}

void CaptureQt::Arreter() {
    MoteurCapture* moteur = m_moteur;
    QMetaObject::invokeMethod(moteur, [moteur] { moteur->Arreter(); }, Qt::QueuedConnection);
}

EtatCapture CaptureQt::Etat() const {
    return m_partage->Etat.load();
}

QString CaptureQt::Erreur() const {
    const QMutexLocker verrou(&m_partage->Verrou);
    return m_partage->Erreur;
}

float CaptureQt::Niveau() {
    return float(m_partage->Crete.exchange(0)) / 32768.0f;
}

SonPcm CaptureQt::Prendre() {
    SonPcm son;
    const QMutexLocker verrou(&m_partage->Verrou);
    son.Canaux = 1;
    son.Frequence = m_partage->Frequence;
    son.Echantillons = std::exchange(m_partage->Echantillons, {});
    return son;
}
