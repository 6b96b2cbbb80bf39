#pragma once
// The items of an exercise folder, the mastery test and the random draw.

#include <QString>

// Fills Etat.ListeItems, NbItems and NbItemsDossier from the folder's WAV files, leaving out
// what the named pupil has mastered.
void ConstruireListeItems(const QString& dossier);
// Whether the current pupil must still work this item.
bool ItemARetravailler(const QString& fichier);
// The key an item file is known by in the history: trimmed, A-Z folded, ".wav" removed,
// decoded; alternatives stay joined by "£".
QString CleItem(const QString& fichier);

struct ItemTire {
    QString Nom;   // empty when no item is left
    QString Bonus; // points in play: "5" for a new item, "1" for one that came back
};
// Draws among the items not finished ("O"), uniformly.
ItemTire TirerItem();

// The last component of DossierExercice.
QString NomDossierCourant();
