#pragma once
// The program's sound player `Son`: the whole file is decoded when it is opened, and played
// through QAudioSink on a thread of its own, so the blocking farewell pauses of the interface
// thread never starve the output. Everything that talks to the sound server (the output device,
// the sink's start) happens on that thread too: a server that hangs silences the program and
// never freezes its window.

#include "core/Services.h"
#include "sound/DecodageWav.h"

#include <QAudioFormat>
#include <QObject>
#include <QThread>

#include <memory>

class MoteurSon;
class QAudioDevice;

class LecteurSonQt : public QObject, public ISon {
    Q_OBJECT
public:
    explicit LecteurSonQt(QObject* parent = nullptr);
    ~LecteurSonQt() override;

    void DefinirFichier(const QString& chemin) override;
    bool Ouvrir(QString* erreur) override;
    void Jouer(double vitesse = 1) override;
    void Arreter() override;

    // A decoded sound is ready to be played.
    bool Ouvert() const { return m_son != nullptr; }
    // The output is playing right now (it becomes true shortly after Jouer, on the audio thread).
    bool EnCours() const;

    // The format asked of the output: the file's own, or what the device takes instead.
    static QAudioFormat FormatPour(const SonDecode& son, const QAudioDevice& sortie);
    // The samples in another layout: channels mapped, rate resampled (linear), sample type.
    static QByteArray Convertir(const SonDecode& son, const QAudioFormat& cible);

    // How long the end of the player waits for its thread; a thread held longer by a sound
    // server is left behind rather than keep the program from ending.
    static constexpr int AttenteFinMs = 1000;

private:
    QString m_chemin;
    std::shared_ptr<const SonDecode> m_son;
    QThread* m_fil = nullptr;      // deleted once ended, let go when a server holds it
    MoteurSon* m_moteur = nullptr; // lives on m_fil, deleted there
};
