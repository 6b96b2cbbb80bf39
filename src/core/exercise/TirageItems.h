#pragma once
// The rules of the item-count choice, kept out of the form so they are tested without one:
// which counts are on offer, what the captions and the progress sentences say, and the random
// draw that cuts the item list down to the chosen count.

#include <QString>
#include <QStringList>

// The counts the pupil may pick besides "all", top to bottom.
inline constexpr int NombresProposes[] = {4, 10, 20, 40, 60, 80, 100};
// From how many items on offer the pupil is asked how many he wants; with fewer, he works
// them all.
inline constexpr int ItemsPourChoisirLeNombre = 5;

// Whether a choice of `nombre` items can be offered when `nbItems` are on offer. Four is
// always offered: the dialog only comes up from ItemsPourChoisirLeNombre items.
bool ChoixPossible(int nombre, int nbItems);
// "37 items (185 points)".
QString LibelleNombreItems(int nbItems);
// The two progress sentences for a named pupil, separated by a single CR; empty for a visitor.
QString TexteProgression(const QString& nomEleve, int nbItemsDossier, int nbItems,
                         int nbItemsDejaReussis);
// `nombre` distinct entries of `offerts` drawn at random, in draw order (fewer when there are
// not that many).
QStringList TirerItems(const QStringList& offerts, int nombre);
