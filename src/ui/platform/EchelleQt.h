#pragma once
// Draws the whole program at one factor. Qt then draws every window, its type, pictures and
// margins at that many device pixels per design pixel: the windows keep the layout they were
// designed at, larger.

#include "core/Echelle.h"

// The factor for the primary screen and the setting.
double FacteurPourLEcran(const ReglageEchelle& reglage);
// From now on, every window is drawn at `facteur` times the desktop's own scale. To be called
// before the windows are created.
void AppliquerFacteurEchelle(double facteur);
