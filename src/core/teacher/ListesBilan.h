#pragma once
// The group and pupil lists of the report form, and the record files of one pupil, worked out
// from the records tree alone.

#include "core/setup/ListesDepart.h"

#include <QStringList>

// The group and pupil lists themselves are the start form's (ListerGroupes, ListerEleves):
// both forms list the records tree by the same rules.

// The group folder for the text of the group list: the records root itself for the start
// form's "Choisis ton groupe" and for no group at all, otherwise root + group + separator.
QString DossierDuGroupe(const QString& cheminBilans, const QString& groupe);

// Where a name stands in a list: the entry equal to it, else the first that differs only by
// letter case or by how its accents are spelt; -1 when none.
qsizetype IndexDansListe(const QStringList& liste, const QString& nom);

// The group to select when the teacher module opens: the first one while the start form has
// none (`groupeDepart` empty), otherwise the one it shows; -1 when none fits.
qsizetype GroupeAPreselectionner(const QStringList& groupes, const QString& groupeDepart);

// The pupil to select: the one the start form shows, or the first while it shows nobody named
// (a visitor, the "Nouveau" entry: `eleveDepart` empty); -1 when none fits.
qsizetype EleveAPreselectionner(const QStringList& eleves, const QString& eleveDepart);

// The heading of a printed record: who, which group, which day ("Paul – groupe CM1 –
// 08/12/2026"); a pupil of no group is printed without one.
QString EnTeteImpression(const QString& eleve, const QString& groupe, const QString& date);

// The hidden folder of a group folder where deleted pupils' files go when the desktop has no
// trash there; no list shows it.
inline const QString DossierElevesSupprimes = QStringLiteral(".eleves-supprimes");

// The files a deletion of the pupil takes, in this order: history, password, detail, exercises.
// For each suffix, the file named exactly so; without one, the file the program reads for him
// whatever its letter case, unless that file is another listed pupil's (Paul's deletion never
// takes paul_Pwd.txt while a pupil "paul" is listed).
QStringList FichiersASupprimer(const QString& dossierGroupe, const QString& eleve);

// Deletes the pupil's files (FichiersASupprimer) so that the teacher can undo it: each goes to
// the desktop's trash, or where there is none, into DossierElevesSupprimes/<date time> <pupil>/
// in the group folder. A file that cannot go is skipped and the others still go. Returns the
// files actually removed from the group folder.
QStringList SupprimerEleve(const QString& dossierGroupe, const QString& eleve);
