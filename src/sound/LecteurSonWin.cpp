#include "sound/LecteurSonWin.h"

#include "sound/ConversionPcm.h"
#include "sound/Ralenti.h"

#include <windows.h>

#include <mmsystem.h>

#include <atomic>
#include <mutex>
#include <system_error>
#include <utility>
#include <vector>

// What the interface thread and the audio thread share. It lives as long as either of them
// holds it, so a thread let go at the player's end still finds it whole.
struct EtatLecteurWin {
    std::mutex Verrou; // guards the four below
    std::shared_ptr<const SonDecode> Demande;
    double Vitesse = 1; // the pace asked with Demande
    bool DemandeEnAttente = false;
    bool Fin = false;
    std::atomic<bool> EnCours{false};
    HANDLE Reveil = CreateEventW(nullptr, FALSE, FALSE, nullptr); // a request, or the end
    HANDLE Termine = CreateEventW(nullptr, TRUE, FALSE, nullptr); // the thread is done

    EtatLecteurWin() = default;
    EtatLecteurWin(const EtatLecteurWin&) = delete;
    EtatLecteurWin& operator=(const EtatLecteurWin&) = delete;
    ~EtatLecteurWin() {
        if (Reveil)
            CloseHandle(Reveil);
        if (Termine)
            CloseHandle(Termine);
    }

    // The sound to play now (nullptr: silence) and its pace. Only the latest request counts:
    // while the audio thread is held up by the device, clicks do not pile up behind it.
    void Demander(std::shared_ptr<const SonDecode> son, double vitesse = 1) {
        {
            const std::lock_guard verrou(Verrou);
            Demande = std::move(son);
            Vitesse = vitesse;
            DemandeEnAttente = true;
        }
        SetEvent(Reveil);
    }
};

namespace {

// The device reports the end of the last piece once it has taken it, not once it was heard:
// the output is closed this much later, or the sound's last syllable would be cut.
constexpr ULONGLONG DelaiFermetureMs = 250;
// Pieces of half a second: a long sound is not one enormous buffer for the driver.
constexpr int MorceauxParSeconde = 2;

// The output device and the samples it reads; every member function runs on the audio thread.
class SortieWaveOut {
public:
    explicit SortieWaveOut(EtatLecteurWin& etat) : m_etat(etat) {}
    ~SortieWaveOut() {
        Couper();
        if (m_evenement)
            CloseHandle(m_evenement);
    }
    SortieWaveOut(const SortieWaveOut&) = delete;
    SortieWaveOut& operator=(const SortieWaveOut&) = delete;

    void Boucle() {
        if (!m_evenement)
            return;
        for (;;) {
            const HANDLE attente[2] = {m_etat.Reveil, m_evenement};
            DWORD delai = INFINITE;
            if (m_fermetureA) {
                const ULONGLONG maintenant = GetTickCount64();
                delai = maintenant >= m_fermetureA ? 0 : DWORD(m_fermetureA - maintenant);
            }
            const DWORD r = WaitForMultipleObjects(m_sortie ? 2 : 1, attente, FALSE, delai);
            if (r == WAIT_OBJECT_0) {
                std::shared_ptr<const SonDecode> son;
                double vitesse = 1;
                bool servir = false;
                {
                    const std::lock_guard verrou(m_etat.Verrou);
                    if (m_etat.Fin)
                        return;
                    servir = std::exchange(m_etat.DemandeEnAttente, false);
                    son = std::move(m_etat.Demande);
                    vitesse = m_etat.Vitesse;
                }
                if (servir) {
                    Couper();
                    // A slow listen is stretched here, off the interface thread.
                    if (son)
                        Jouer(m_ralentis.Pour(son, vitesse));
                }
            } else if (r == WAIT_OBJECT_0 + 1) {
                // Also signalled when the device opens or closes: only the end of every piece
                // counts.
                if (!m_fermetureA && ToutJoue()) {
                    m_etat.EnCours = false;
                    m_fermetureA = GetTickCount64() + DelaiFermetureMs;
                }
            } else if (r == WAIT_TIMEOUT) {
                Couper();
            } else {
                return; // the wait itself failed: silence from now on rather than a busy loop
            }
        }
    }

private:
    void Jouer(const std::shared_ptr<const SonDecode>& son) {
        // The file's own layout first; the system's mapper converts most of them itself. What
        // it refuses (more than two channels, an odd rate on an old driver) is converted here.
        struct Disposition {
            int Canaux;
            int Frequence;
        };
        std::vector<Disposition> essais;
        if (son->Canaux <= 2)
            essais.push_back({son->Canaux, son->Frequence});
        essais.push_back({2, 48000});
        essais.push_back({2, 44100});
        WAVEFORMATEX format = {};
        for (const Disposition& d : essais) {
            format.wFormatTag = WAVE_FORMAT_PCM;
            format.nChannels = WORD(d.Canaux);
            format.nSamplesPerSec = DWORD(d.Frequence);
            format.wBitsPerSample = 16;
            format.nBlockAlign = WORD(d.Canaux * 2);
            format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
            const MMRESULT r = waveOutOpen(&m_sortie, WAVE_MAPPER, &format, DWORD_PTR(m_evenement),
                                           0, CALLBACK_EVENT);
            if (r == MMSYSERR_NOERROR)
                break;
            m_sortie = nullptr;
            // No device, a device taken or broken: silence, as without a sound server.
            if (r != WAVERR_BADFORMAT)
                return;
        }
        if (!m_sortie)
            return;

        const char* donnees = nullptr;
        qsizetype taille = 0;
        if (format.nChannels == son->Canaux && int(format.nSamplesPerSec) == son->Frequence) {
            // Played in place; m_son keeps the samples alive meanwhile.
            m_son = son;
            donnees = reinterpret_cast<const char*>(son->Echantillons.constData());
            taille = son->Echantillons.size() * qsizetype(sizeof(qint16));
        } else {
            m_converti = ConvertirPcm16(*son, format.nChannels, int(format.nSamplesPerSec));
            donnees = reinterpret_cast<const char*>(m_converti.constData());
            taille = m_converti.size() * qsizetype(sizeof(qint16));
        }
        const qsizetype morceau = qsizetype(format.nAvgBytesPerSec) / MorceauxParSeconde /
                                  format.nBlockAlign * format.nBlockAlign;
        if (taille <= 0 || morceau <= 0) {
            Couper();
            return;
        }
        // Sized once: the driver keeps the headers' addresses until they are unprepared.
        m_entetes.resize(size_t((taille + morceau - 1) / morceau));
        for (size_t i = 0; i < m_entetes.size(); ++i) {
            WAVEHDR& e = m_entetes[i];
            const qsizetype debut = qsizetype(i) * morceau;
            e = {};
            e.lpData = const_cast<LPSTR>(donnees + debut);
            e.dwBufferLength = DWORD(std::min(morceau, taille - debut));
            if (waveOutPrepareHeader(m_sortie, &e, sizeof e) != MMSYSERR_NOERROR) {
                Couper();
                return;
            }
        }
        for (WAVEHDR& e : m_entetes) {
            if (waveOutWrite(m_sortie, &e, sizeof e) != MMSYSERR_NOERROR) {
                Couper();
                return;
            }
        }
        m_etat.EnCours = true;
    }

    bool ToutJoue() const {
        for (const WAVEHDR& e : m_entetes)
            if (!(e.dwFlags & WHDR_DONE))
                return false;
        return true;
    }

    void Couper() {
        m_etat.EnCours = false;
        m_fermetureA = 0;
        if (m_sortie) {
            // Reset hands every piece back at once; a driver slow to do so is given a moment,
            // and samples it still holds after that are never freed under it.
            waveOutReset(m_sortie);
            bool rendus = true;
            for (WAVEHDR& e : m_entetes) {
                if (!(e.dwFlags & WHDR_PREPARED))
                    continue;
                int essais = 0;
                while (waveOutUnprepareHeader(m_sortie, &e, sizeof e) == WAVERR_STILLPLAYING &&
                       ++essais < 50)
                    Sleep(10);
                rendus = rendus && !(e.dwFlags & WHDR_PREPARED);
            }
            if (waveOutClose(m_sortie) != MMSYSERR_NOERROR || !rendus) {
                // Left to the end of the process on purpose: the driver may still read them.
                new Restes{std::move(m_entetes), std::move(m_converti), std::move(m_son)};
            }
            m_sortie = nullptr;
        }
        m_entetes.clear();
        m_converti = {};
        m_son.reset();
    }

    struct Restes {
        std::vector<WAVEHDR> Entetes;
        QVector<qint16> Converti;
        std::shared_ptr<const SonDecode> Son;
    };

    EtatLecteurWin& m_etat;
    // Auto-reset, signalled by the device as each piece ends (and when it opens or closes).
    HANDLE m_evenement = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HWAVEOUT m_sortie = nullptr;
    std::vector<WAVEHDR> m_entetes;
    std::shared_ptr<const SonDecode> m_son; // the samples played in place
    QVector<qint16> m_converti;             // or their conversion
    ULONGLONG m_fermetureA = 0;             // when the output of a finished sound is closed
    MemoireRalenti m_ralentis;
};

void Servir(const std::shared_ptr<EtatLecteurWin>& etat) {
    {
        SortieWaveOut sortie(*etat);
        sortie.Boucle();
    }
    SetEvent(etat->Termine);
}

} // namespace

LecteurSonWin::LecteurSonWin() : m_etat(std::make_shared<EtatLecteurWin>()) {
    if (!m_etat->Reveil || !m_etat->Termine)
        return; // no thread: the program stays silent, never stuck
    try {
        m_fil = std::thread([etat = m_etat] { Servir(etat); });
    } catch (const std::system_error&) {
    }
}

LecteurSonWin::~LecteurSonWin() {
    if (!m_fil.joinable())
        return;
    {
        const std::lock_guard verrou(m_etat->Verrou);
        m_etat->Fin = true;
        m_etat->Demande.reset();
    }
    SetEvent(m_etat->Reveil);
    if (WaitForSingleObject(m_etat->Termine, AttenteFinMs) == WAIT_OBJECT_0) {
        m_fil.join();
        return;
    }
    // Still held by a device that does not answer: the program must end all the same. The
    // thread keeps the shared state alive and ends on its own if the device ever lets go; the
    // module is never unloaded, so its code stays there for it.
    m_fil.detach();
}

void LecteurSonWin::DefinirFichier(const QString& chemin) {
    m_chemin = chemin;
}

bool LecteurSonWin::Ouvrir(QString* erreur) {
    // Opening closes what was open: the sound still playing stops now, even if this one fails.
    Arreter();
    m_son = DecoderPourJouer(m_chemin, erreur);
    return m_son != nullptr;
}

// Returns at once: a slow listen is stretched and the device opened and fed on the audio
// thread.
void LecteurSonWin::Jouer(double vitesse) {
    if (m_son)
        m_etat->Demander(m_son, vitesse);
}

void LecteurSonWin::Arreter() {
    m_etat->Demander(nullptr);
}

bool LecteurSonWin::EnCours() const {
    return m_etat->EnCours.load();
}
