#pragma once
// Paths. Folders held in variables end with the separator. Values written the Windows way
// ("\") are separators here. Named files are looked up whatever their letter case, because
// the record trees and exercise folders were made for a case-insensitive file system.

#include <QString>

inline constexpr QChar Separateur = u'/';

// Turns every "\" into "/".
QString NormaliserSeparateurs(const QString& chemin);
// The folder with exactly one separator at its end.
QString AvecSeparateur(const QString& dossier);
// A folder as the start form's browser holds it: "/" separators, no final separator (the root
// of the disk excepted).
QString SansSeparateurFinal(const QString& dossier);
// The part after the last separator ("\" or "/"); the whole text when there is none.
QString DernierComposant(const QString& chemin);

// The existing entry that differs from `chemin` only by letter case or by how its accents are
// spelt (composed or not), component by component; `chemin` itself when it exists, or when no
// such entry exists.
QString ResoudreChemin(const QString& chemin);
bool FichierExiste(const QString& chemin);
bool DossierExiste(const QString& chemin);
