#pragma once
// Deleting what a teacher made never loses it: files go to the desktop's trash
// (Services::Corbeille) or, where there is none (a network share, a desktop without one), to a
// hidden folder that no list of the program shows.

#include <QString>

// The hidden folder beside the files a studio deletes.
inline const QString DossierCorbeille = QStringLiteral(".corbeille");

// Moves the file (or folder) to the trash, or else into `reserve` (made when needed; a name
// already there gets a number). false, with the reason in French, when neither place took
// it; it is then untouched.
bool MettreALaCorbeille(const QString& chemin, const QString& reserve, QString* raison = nullptr);
// The same, the hidden folder being ".corbeille" beside the file.
bool MettreALaCorbeille(const QString& chemin, QString* raison = nullptr);
