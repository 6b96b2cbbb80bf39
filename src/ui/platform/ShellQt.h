#pragma once
// The desktop's "open" on Linux: documents, folders and web pages through QDesktopServices
// (xdg-open), programs through a detached process. Neither waits.

#include "core/Services.h"

class ShellQt : public IShell {
public:
    void Ouvrir(const QString& cible) override;
    void Lancer(const QString& programme) override;
};

// True for "https://...", "mailto:..." and the like; false for paths, "C:\..." included.
bool EstAdresseWeb(const QString& cible);
