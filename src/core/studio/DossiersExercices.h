#pragma once
// The exercise folders themselves, below the exercise root: created, renamed and deleted from
// the studio under the rules of the pupils' folder list. A deleted folder goes to the trash
// with all it holds, as items do; the root itself is never renamed or deleted.

#include "core/studio/RenommageItem.h"

#include <QString>

// Names are taken as typed and made under NomDossierNormalise (NommageItem.h), the form
// RefusNomDossier checks.
// Creates the folder `nom` (as typed) in `parent`; its path in *cree. false with the French
// reason in *raison when the name is refused or the disk refuses it.
bool CreerDossierExercices(const QString& parent, const QString& nom, QString* cree,
                           QString* raison);
// Gives the folder `dossier`, strictly below `racine`, the name `nom` (as typed); its new path
// in *nouveau. A change of letter case only works on a case-insensitive disk too.
bool RenommerDossierExercices(const QString& racine, const QString& dossier, const QString& nom,
                              QString* nouveau, QString* raison,
                              const FonctionRenommer& renommer = RenommerFichier);
// Sends the folder `dossier`, strictly below `racine`, to the trash with all it holds (or to the
// hidden folder beside it where there is no trash).
bool SupprimerDossierExercices(const QString& racine, const QString& dossier, QString* raison);
