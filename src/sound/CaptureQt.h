#pragma once
// The microphone through QAudioSource, on a thread of its own: looking the device up, opening
// and closing it never run on the window's thread, where a hung sound server would freeze
// everything. What comes in is kept as one channel of 16-bit samples at the device's rate.

#include "core/Services.h"

#include <QObject>
#include <QThread>

#include <memory>

class MoteurCapture;
struct PartageCapture;

class CaptureQt : public QObject, public ICaptureSon {
    Q_OBJECT
public:
    explicit CaptureQt(QObject* parent = nullptr);
    ~CaptureQt() override;

    void Preparer() override;
    void Demarrer() override;
    void Arreter() override;
    EtatCapture Etat() const override;
    QString Erreur() const override;
    float Niveau() override;
    SonPcm Prendre() override;

private:
    std::shared_ptr<PartageCapture> m_partage;
    QThread m_fil;
    MoteurCapture* m_moteur = nullptr; // lives on m_fil, deleted there
};
