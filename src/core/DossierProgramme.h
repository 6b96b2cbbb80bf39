#pragma once
// Where the program keeps its ini, records and journal. A folder beside the executable that
// the user may write to (the portable folder) is used as it is. An installed program, whose
// folder is read-only, works in the user's own data folder instead, laid out at the first
// start from the installed one: the exercises stay where they were installed.

#include <QString>

// Copies what is missing from the installed folder into the user's: the ini (its empty
// REPERTOIRE pointed at the installed exercises; none when the installed folder has none), the
// effect sounds, the default pictures, the help pages, and the records folder with its groups.
// Never overwrites.
bool PreparerDossierUtilisateur(const QString& installe, const QString& utilisateur);

// Left beside the executable by an installer (Windows'): the program folder is never written,
// even where the installing account could write there.
inline constexpr char MarqueInstallation[] = "plumelune.installe";

// The program folder for this run, ending with a separator: the executable's when it may be
// written and is not marked as installed, else the user's (laid out from the installed one).
QString ChoisirDossierProgramme(const QString& dossierExe, bool exeInscriptible,
                                const QString& dossierUtilisateur);
