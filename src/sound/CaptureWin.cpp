#include "sound/CaptureWin.h"

#include "sound/ConversionPcm.h"

#include <windows.h>

#include <mmsystem.h>

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

namespace {

const QString aucunMicro = QStringLiteral(
    "Aucun micro n'a été trouvé sur cet ordinateur. Branchez-en un, ou donnez un son à l'item "
    "avec la voix de synthèse ou en important un fichier.");
const QString microFerme = QStringLiteral("Le micro n'a pas pu être ouvert. Vérifiez qu'il est "
                                          "branché et qu'aucun autre programme ne l'utilise.");
const QString microArrete = QStringLiteral("Le micro s'est arrêté en cours d'enregistrement.");

enum class Commande { Preparer, Ouvrir, Arreter };

// Small pieces, so the level meter moves with the voice.
constexpr int PiecesParSeconde = 25;
constexpr int NombrePieces = 25; // a second queued: a busy machine loses nothing
// A device that hands nothing back for this long while recording has gone (unplugged, taken by
// the system): the capture says so rather than record silence forever.
constexpr ULONGLONG SilenceMaxMs = 3000;
constexpr DWORD VeilleMs = 500;

} // namespace

// What the window's thread and the capture's thread share.
struct PartageCaptureWin {
    std::atomic<EtatCapture> Etat{EtatCapture::Arretee};
    std::atomic<int> Crete{0}; // since the last Niveau()
    mutable std::mutex Verrou; // guards the five below
    QString Erreur;
    int Frequence = 0;
    QVector<qint16> Echantillons;
    std::deque<Commande> Commandes;
    bool Fin = false;
    HANDLE Reveil = CreateEventW(nullptr, FALSE, FALSE, nullptr); // a command, or the end
    HANDLE Termine = CreateEventW(nullptr, TRUE, FALSE, nullptr); // the thread is done

    PartageCaptureWin() = default;
    PartageCaptureWin(const PartageCaptureWin&) = delete;
    PartageCaptureWin& operator=(const PartageCaptureWin&) = delete;
    ~PartageCaptureWin() {
        if (Reveil)
            CloseHandle(Reveil);
        if (Termine)
            CloseHandle(Termine);
    }

    void Echouer(const QString& texte) {
        {
            const std::lock_guard verrou(Verrou);
            Erreur = texte;
        }
        Etat = EtatCapture::Erreur;
    }

    void Commander(Commande c) {
        {
            const std::lock_guard verrou(Verrou);
            Commandes.push_back(c);
        }
        SetEvent(Reveil);
    }
};

namespace {

// The input device and its pieces of memory; every member function runs on the capture thread.
class EntreeWaveIn {
public:
    explicit EntreeWaveIn(PartageCaptureWin& partage) : m_partage(partage) {}
    ~EntreeWaveIn() {
        Fermer();
        if (m_evenement)
            CloseHandle(m_evenement);
    }
    EntreeWaveIn(const EntreeWaveIn&) = delete;
    EntreeWaveIn& operator=(const EntreeWaveIn&) = delete;

    void Boucle() {
        if (!m_evenement)
            return;
        for (;;) {
            const HANDLE attente[2] = {m_partage.Reveil, m_evenement};
            const DWORD r = WaitForMultipleObjects(m_entree ? 2 : 1, attente, FALSE,
                                                   m_entree ? VeilleMs : INFINITE);
            if (r == WAIT_OBJECT_0) {
                std::deque<Commande> commandes;
                {
                    const std::lock_guard verrou(m_partage.Verrou);
                    if (m_partage.Fin)
                        return;
                    commandes.swap(m_partage.Commandes);
                }
                for (const Commande c : commandes)
                    Executer(c);
            } else if (r == WAIT_OBJECT_0 + 1 || r == WAIT_TIMEOUT) {
                if (!m_entree)
                    continue;
                if (!Lire(true) || GetTickCount64() - m_derniereArrivee > SilenceMaxMs) {
                    Fermer();
                    m_partage.Echouer(microArrete);
                }
            } else {
                return; // the wait itself failed: the end's deadline lets the thread go
            }
        }
    }

private:
    void Executer(Commande c) {
        switch (c) {
        case Commande::Preparer: {
            // Loads the system's audio drivers here rather than at the first click. (Not
            // waveInGetNumDevs: under Wine it leaves the mapper on a device that never fills.)
            WAVEINCAPSW capacites;
            waveInGetDevCapsW(WAVE_MAPPER, &capacites, sizeof capacites);
            break;
        }
        case Commande::Ouvrir:
            Ouvrir();
            break;
        case Commande::Arreter:
            if (m_entree) {
                // Stop marks the piece being filled as done with what it holds; reset hands
                // back the empty ones.
                waveInStop(m_entree);
                waveInReset(m_entree);
                Lire(false);
            }
            Fermer();
            {
                // Only a running capture stops: "Ouverture" here is a start asked for after
                // this stop, whose opening comes next and must not read as stopped.
                EtatCapture enCours = EtatCapture::EnCours;
                m_partage.Etat.compare_exchange_strong(enCours, EtatCapture::Arretee);
            }
            break;
        }
    }

    void Ouvrir() {
        // What an earlier capture still held was dropped by Demarrer.
        Fermer();
        // The items' own format when the device takes it (no conversion at all), else the
        // usual ones; the system's mapper converts most formats itself.
        const int essais[][2] = {{1, 22050}, {1, 44100}, {1, 48000}, {2, 44100}, {2, 48000}};
        WAVEFORMATEX format = {};
        for (const auto& essai : essais) {
            format.wFormatTag = WAVE_FORMAT_PCM;
            format.nChannels = WORD(essai[0]);
            format.nSamplesPerSec = DWORD(essai[1]);
            format.wBitsPerSample = 16;
            format.nBlockAlign = WORD(essai[0] * 2);
            format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
            const MMRESULT r = waveInOpen(&m_entree, WAVE_MAPPER, &format, DWORD_PTR(m_evenement),
                                          0, CALLBACK_EVENT);
            if (r == MMSYSERR_NOERROR)
                break;
            m_entree = nullptr;
            // No input device at all is a bad device number for the mapper.
            if (r == MMSYSERR_BADDEVICEID || r == MMSYSERR_NODRIVER) {
                m_partage.Echouer(aucunMicro);
                return;
            }
            if (r != WAVERR_BADFORMAT) {
                m_partage.Echouer(microFerme);
                return;
            }
        }
        if (!m_entree) {
            m_partage.Echouer(microFerme);
            return;
        }
        m_canaux = format.nChannels;
        {
            const std::lock_guard verrou(m_partage.Verrou);
            m_partage.Frequence = int(format.nSamplesPerSec);
        }
        const DWORD octetsPiece =
            std::max<DWORD>(1, format.nSamplesPerSec / PiecesParSeconde) * format.nBlockAlign;
        // Sized once: the driver keeps these addresses until the headers are unprepared.
        m_memoire.assign(size_t(octetsPiece) * NombrePieces, 0);
        m_entetes.assign(NombrePieces, WAVEHDR{});
        bool pret = true;
        for (int i = 0; i < NombrePieces && pret; ++i) {
            WAVEHDR& e = m_entetes[size_t(i)];
            e.lpData = m_memoire.data() + size_t(i) * octetsPiece;
            e.dwBufferLength = octetsPiece;
            pret = waveInPrepareHeader(m_entree, &e, sizeof e) == MMSYSERR_NOERROR &&
                   waveInAddBuffer(m_entree, &e, sizeof e) == MMSYSERR_NOERROR;
        }
        if (!pret || waveInStart(m_entree) != MMSYSERR_NOERROR) {
            Fermer();
            m_partage.Echouer(microFerme);
            return;
        }
        m_prochaine = 0;
        m_derniereArrivee = GetTickCount64();
        m_partage.Etat = EtatCapture::EnCours;
    }

    // Takes the pieces the device has filled, in the order they were given; `relancer` hands
    // each back for more. false when the device refuses a piece back.
    bool Lire(bool relancer) {
        QVector<qint16> mono;
        int crete = 0;
        bool enVie = true;
        for (size_t n = 0; n < m_entetes.size(); ++n) {
            WAVEHDR& e = m_entetes[m_prochaine];
            if (!(e.dwFlags & WHDR_DONE))
                break;
            const auto trames = qsizetype(e.dwBytesRecorded / DWORD(m_canaux * 2));
            crete = std::max(crete, AjouterEnMono(reinterpret_cast<const qint16*>(e.lpData), trames,
                                                  m_canaux, mono));
            e.dwFlags &= ~DWORD(WHDR_DONE);
            e.dwBytesRecorded = 0;
            if (relancer && waveInAddBuffer(m_entree, &e, sizeof e) != MMSYSERR_NOERROR)
                enVie = false;
            m_prochaine = (m_prochaine + 1) % m_entetes.size();
            m_derniereArrivee = GetTickCount64();
        }
        int avant = m_partage.Crete.load();
        while (crete > avant && !m_partage.Crete.compare_exchange_weak(avant, crete)) {
        }
        if (!mono.isEmpty()) {
            const std::lock_guard verrou(m_partage.Verrou);
            m_partage.Echantillons += mono;
        }
        return enVie;
    }

    void Fermer() {
        if (m_entree) {
            waveInReset(m_entree);
            bool rendus = true;
            for (WAVEHDR& e : m_entetes) {
                if (!(e.dwFlags & WHDR_PREPARED))
                    continue;
                int essais = 0;
                while (waveInUnprepareHeader(m_entree, &e, sizeof e) == WAVERR_STILLPLAYING &&
                       ++essais < 50)
                    Sleep(10);
                rendus = rendus && !(e.dwFlags & WHDR_PREPARED);
            }
            if (waveInClose(m_entree) != MMSYSERR_NOERROR || !rendus) {
                // Left to the end of the process on purpose: the driver may still write there.
                new Restes{std::move(m_entetes), std::move(m_memoire)};
            }
            m_entree = nullptr;
        }
        m_entetes.clear();
        m_memoire.clear();
        m_prochaine = 0;
    }

    struct Restes {
        std::vector<WAVEHDR> Entetes;
        std::vector<char> Memoire;
    };

    PartageCaptureWin& m_partage;
    // Auto-reset, signalled by the device as each piece is filled (and when it opens or closes).
    HANDLE m_evenement = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HWAVEIN m_entree = nullptr;
    int m_canaux = 1;
    std::vector<char> m_memoire;
    std::vector<WAVEHDR> m_entetes;
    size_t m_prochaine = 0; // the piece the device fills next
    ULONGLONG m_derniereArrivee = 0;
};

void Servir(const std::shared_ptr<PartageCaptureWin>& partage) {
    {
        EntreeWaveIn entree(*partage);
        entree.Boucle();
    }
    SetEvent(partage->Termine);
}

} // namespace

CaptureWin::CaptureWin() : m_partage(std::make_shared<PartageCaptureWin>()) {
    if (!m_partage->Reveil || !m_partage->Termine)
        return; // no thread: Demarrer reports the microphone as unusable
    try {
        m_fil = std::thread([partage = m_partage] { Servir(partage); });
    } catch (const std::system_error&) {
    }
}

CaptureWin::~CaptureWin() {
    if (!m_fil.joinable())
        return;
    {
        const std::lock_guard verrou(m_partage->Verrou);
        m_partage->Fin = true;
    }
    SetEvent(m_partage->Reveil);
    if (WaitForSingleObject(m_partage->Termine, AttenteFinMs) == WAIT_OBJECT_0) {
        m_fil.join();
        return;
    }
    // A device that hangs keeps the thread in its call: the program does not wait for it on its
    // way out. The thread keeps the shared state and ends on its own if the device lets go; the
    // module is never unloaded, so its code stays there for it.
    m_fil.detach();
}

void CaptureWin::Preparer() {
    if (m_fil.joinable())
        m_partage->Commander(Commande::Preparer);
}

void CaptureWin::Demarrer() {
    {
        const std::lock_guard verrou(m_partage->Verrou);
        m_partage->Echantillons.clear();
        m_partage->Erreur.clear();
    }
    m_partage->Crete = 0;
    if (!m_fil.joinable()) {
        m_partage->Echouer(microFerme);
        return;
    }
    m_partage->Etat = EtatCapture::Ouverture;
    m_partage->Commander(Commande::Ouvrir);
}

void CaptureWin::Arreter() {
    if (m_fil.joinable())
        m_partage->Commander(Commande::Arreter);
}

EtatCapture CaptureWin::Etat() const {
    return m_partage->Etat.load();
}

QString CaptureWin::Erreur() const {
    const std::lock_guard verrou(m_partage->Verrou);
    return m_partage->Erreur;
}

float CaptureWin::Niveau() {
    return float(m_partage->Crete.exchange(0)) / 32768.0f;
}

SonPcm CaptureWin::Prendre() {
    SonPcm son;
    const std::lock_guard verrou(m_partage->Verrou);
    son.Canaux = 1;
    son.Frequence = m_partage->Frequence;
    son.Echantillons = std::exchange(m_partage->Echantillons, {});
    return son;
}
