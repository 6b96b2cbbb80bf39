#pragma once
// Deleting what a teacher made never loses it: files go to the desktop's trash or, where there
// is none (a network share, a desktop without one), to a hidden folder beside them.

#include <QString>

// The hidden folder, beside the deleted files; the pupils' lists never show dotted names.
inline const QString DossierCorbeille = QStringLiteral(".corbeille");

// Moves the file (or folder) to the trash. false, with the reason in French, when neither place
// took it; it is then untouched.
bool MettreALaCorbeille(const QString& chemin, QString* raison = nullptr);
// Whether the desktop's trash is tried first (the default). Tests turn it off: they must not
// fill the trash of whoever runs them.
void EssayerCorbeilleDuBureau(bool oui);
