#pragma once
// The desktop's "open" on Linux: documents, folders and web pages through the desktop's opener
// (xdg-open), whose answer is awaited without blocking, so that "no program for this kind of
// file" is told to the user; programs through a detached process. Neither waits.

#include "core/Services.h"

#include <QList>
#include <QPointer>

class QProcess;

class ShellQt : public IShell {
public:
    ShellQt() = default;
    ~ShellQt() override;
    ShellQt(const ShellQt&) = delete;
    ShellQt& operator=(const ShellQt&) = delete;

    void Ouvrir(const QString& cible, Echec echec) override;
    void Lancer(const QString& programme, Echec echec) override;

private:
    // The openers still running: in a plain desktop xdg-open stays until the editor it started
    // is closed, and neither is stopped when the program ends.
    QList<QPointer<QProcess>> m_ouvreurs;
};

// True for "https://...", "mailto:..." and the like; false for paths, "C:\..." included.
bool EstAdresseWeb(const QString& cible);

// Why a target could not be opened, as xdg-open says it with its exit status.
enum class EchecOuverture { SansOuvreur, Introuvable, SansProgramme, ProgrammeEnEchec, Autre };
EchecOuverture EchecSelonXdgOpen(int codeDeSortie);
// The sentence the user reads, naming the target.
QString MessageEchecOuverture(const QString& cible, EchecOuverture raison);
QString MessageEchecLancement(const QString& programme);
