#pragma once

#include <QString>

// "1 h 2 min 5 s" (compact: zero hours and minutes left out) or " 1 h  2 min  5 s" (aligned).
QString FormaterDuree(int secondes, bool aligne);
// Puts `remplissage` in front of `texte` until it is `largeur` long; never cuts.
QString CompleterAGauche(const QString& texte, int largeur, const QString& remplissage);
