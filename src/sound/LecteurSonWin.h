#pragma once
// The program's sound player `Son` on Windows, through the system's waveOut: the whole file is
// decoded when it is opened, and played on a thread of its own, so the blocking farewell pauses
// of the interface thread never starve the output. Everything that talks to the audio device
// (opening it, handing it the samples, closing it) happens on that thread too: a device that
// hangs silences the program and never freezes its window, and a device that is missing or
// refuses to open is simply silence.

#include "core/Services.h"
#include "sound/DecodageWav.h"

#include <memory>
#include <thread>

struct EtatLecteurWin;

class LecteurSonWin : public ISon {
public:
    LecteurSonWin();
    ~LecteurSonWin() override;
    LecteurSonWin(const LecteurSonWin&) = delete;
    LecteurSonWin& operator=(const LecteurSonWin&) = delete;

    void DefinirFichier(const QString& chemin) override;
    bool Ouvrir(QString* erreur) override;
    void Jouer(double vitesse = 1) override;
    void Arreter() override;

    // A decoded sound is ready to be played.
    bool Ouvert() const { return m_son != nullptr; }
    // The output is playing right now (it becomes true shortly after Jouer, on the audio thread).
    bool EnCours() const;

    // How long the end of the player waits for its thread; a thread held longer by the audio
    // device is left behind rather than keep the program from ending.
    static constexpr int AttenteFinMs = 1000;

private:
    QString m_chemin;
    std::shared_ptr<const SonDecode> m_son;
    std::shared_ptr<EtatLecteurWin> m_etat; // shared with the thread, which may outlive us
    std::thread m_fil;
};
