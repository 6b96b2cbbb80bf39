#pragma once
// What the start form offers, read afresh from the disk each time: the groups below the records
// root, the pupils of a group, the exercise folders below the media root. No register exists
// beside the folders and files themselves. Every listing is sorted for people (French order,
// numbers in numeric order).

#include <QString>
#include <QStringList>

// Entry texts of the start form that carry a meaning of their own.
inline const QString TexteChoisisTonGroupe = QStringLiteral("Choisis ton groupe");
inline const QString TexteVisiteur = QStringLiteral("Visiteur");
inline const QString TexteNouveau = QStringLiteral("Nouveau");
// Put before a folder that holds further folders.
inline const QString MarqueSousDossiers = QStringLiteral("[+] ");

// French collation, numbers compared by value ("CE2" before "CE10"), case ignored first.
void TrierPourLesGens(QStringList& noms);

// The entries directly below the records root whose name has no dot: folders, and plain files
// without an extension as well, hidden ones included.
QStringList ListerGroupes(const QString& racineBilans);

struct ListeEleves {
    bool Nouveau = false; // at least one "*.txt" entry: "Nouveau" is offered
    QStringList Eleves;   // pupil names, sorted
};
// The "*.txt" entries of a group folder (letter case ignored); a name holding "_" is a companion
// file (or a pupil who cannot be told from one) and is left out.
ListeEleves ListerEleves(const QString& dossierGroupe);
// The pupil an entry stands for: every ".txt" removed, case ignored; empty when the entry is
// not a pupil's history.
QString EleveDepuisEntree(const QString& entree);

// True when the folder holds a folder whose name has no dot.
bool ContientSousDossier(const QString& dossier);
// The folders without a dot directly below `dossier`, marked when they hold a folder in turn.
QStringList ListerDossiers(const QString& dossier);
// The entry text with every mark removed: the folder name.
QString SansMarque(const QString& entree);
// True when the folder directly holds an entry whose extension (from the last dot) is ".wav"
// in any case.
bool ContientSon(const QString& dossier);

// True when the folder directly holds an entry whose name on disk is not UTF-8 (a share mounted
// without UTF-8 file names): such entries cannot be read under their names, so a pupil's old
// records or an exercise seem to be gone.
bool ContientNomsNonUtf8(const QString& dossier);
// Says so once per folder and run, in a plain message box naming the folder and the fix; the
// next calls for that folder say nothing.
void SignalerNomsNonUtf8(const QString& dossier);

// Why a name typed for a new pupil cannot become his record files or would not show as itself
// in the lists (control and text-direction characters, "Visiteur" or "Nouveau" in any letter
// case), in a sentence a pupil understands; empty when it can.
QString RefusPrenom(const QString& nom);
