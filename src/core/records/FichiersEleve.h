#pragma once
// The small file operations every record goes through. Each opens, writes and closes.

#include <QString>

// Creates the file empty, or empties it. false when that failed.
bool CreerFichierVide(const QString& chemin);
// Appends text and CR LF, only to a file that exists; failures are silent.
void AjouterLigne(const QString& chemin, const QString& texte);
// Appends text without a line end (a line left open), only to a file that exists.
void AjouterTexte(const QString& chemin, const QString& texte);

// The pupil's record files: DossierGroupe + NomEleve + suffix.
QString FichierEleve(const QString& suffixe);
inline const char* const SuffixeHistorique = ".txt";
inline const char* const SuffixeDetail = "_Detail.txt";
inline const char* const SuffixeExos = "_Exos.txt";
inline const char* const SuffixeMotDePasse = "_Pwd.txt";
// The rule line of 68 "-".
QString LigneRegle();
