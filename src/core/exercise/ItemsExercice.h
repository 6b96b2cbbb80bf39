#pragma once
// The items of an exercise folder and the mastery test that leaves out what a named pupil
// knows.

#include <QString>
#include <QStringList>

// The WAV files of the folder the current pupil must still work, in the order people sort
// them; `nbSons` receives how many WAV files the folder holds, mastered ones included. Without
// `selonHistorique` (nobody named, the studio's trial) every item is offered.
QStringList ItemsARetravailler(const QString& dossier, int& nbSons, bool selonHistorique = true);
// Whether the current pupil must still work this item.
bool ItemARetravailler(const QString& fichier);
// The key an item file is known by in the history: trimmed, A-Z folded, ".wav" removed,
// decoded; alternatives stay joined by "£".
QString CleItem(const QString& fichier);

// The last component of DossierExercice.
QString NomDossierCourant();
