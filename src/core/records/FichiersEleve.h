#pragma once
// The small file operations every record goes through. Each opens, writes and closes.

#include <QString>
#include <QStringList>

// Creates the file empty, or empties it. false when that failed.
bool CreerFichierVide(const QString& chemin);
// Appends text and CR LF, only to a file that exists; failures are silent.
void AjouterLigne(const QString& chemin, const QString& texte);
// Appends text without a line end (a line left open), only to a file that exists.
void AjouterTexte(const QString& chemin, const QString& texte);
// Appends the lines, each with CR LF, in one write: a shutdown or another computer appending
// to the same file never splits them.
void AjouterLignes(const QString& chemin, const QStringList& lignes);
// The same, on a line of their own: a file whose last line was left open (a crash, a power
// cut, an older copy of the program) gets that line ended first.
void AjouterLignesSurLigneNeuve(const QString& chemin, const QStringList& lignes);

// The password file holding `motDePasse` as its one line: created (or emptied) and written in
// Windows-1252 when that holds the text and reads it back the same, in UTF-8 otherwise, so the
// same typed text is accepted next time. Control characters are written "?". false when the
// file could not be written.
bool EcrireMotDePasse(const QString& chemin, const QString& motDePasse);
// Whether a typed password opens a stored one (the comparison rule; what EcrireMotDePasse
// stored for the same typing counts).
bool MotDePasseAccepte(const QString& tape, const QString& enregistre);

// The pupil's record files: DossierGroupe + NomEleve + suffix.
QString FichierEleve(const QString& suffixe);
inline const char* const SuffixeHistorique = ".txt";
inline const char* const SuffixeDetail = "_Detail.txt";
inline const char* const SuffixeExos = "_Exos.txt";
inline const char* const SuffixeMotDePasse = "_Pwd.txt";
// The rule line of 68 "-".
QString LigneRegle();
