#pragma once
// The microphone on Windows, through the system's waveIn, on a thread of its own: looking the
// device up, opening and closing it never run on the window's thread, where a hung audio device
// would freeze everything. What comes in is kept as one channel of 16-bit samples at the
// device's rate.

#include "core/Services.h"

#include <memory>
#include <thread>

struct PartageCaptureWin;

class CaptureWin : public ICaptureSon {
public:
    CaptureWin();
    ~CaptureWin() override;
    CaptureWin(const CaptureWin&) = delete;
    CaptureWin& operator=(const CaptureWin&) = delete;

    void Preparer() override;
    void Demarrer() override;
    void Arreter() override;
    EtatCapture Etat() const override;
    QString Erreur() const override;
    float Niveau() override;
    SonPcm Prendre() override;

    // How long the end of the capture waits for its thread before letting it go.
    static constexpr int AttenteFinMs = 3000;

private:
    std::shared_ptr<PartageCaptureWin> m_partage; // shared with the thread, which may outlive us
    std::thread m_fil;
};
