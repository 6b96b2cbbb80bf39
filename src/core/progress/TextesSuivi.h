#pragma once
// What leaves the program from the class view and a pupil's progress: the spreadsheet file of
// "Exporter la classe", and the plain-text tables the printer lays out in a fixed-pitch font.

#include "core/progress/SuiviClasse.h"

#include <QByteArray>
#include <QString>

// The class view's columns, in the window and in the spreadsheet file.
enum ColonneClasse {
    ColonneEleve,
    ColonneExercices,
    ColonneTermines,
    ColonneInterrompus,
    ColonneDernier,
    ColonneMoyenne,
    ColonneMaitrises,
    ColonneARevoir,
    NombreColonnesClasse
};
QString TitreColonne(ColonneClasse colonne);

// "87,5": one decimal, with a comma.
QString NombreFrancais(double valeur);
// "3 lignes illisibles", "1 ligne illisible"; empty for none.
QString TexteIllisibles(int lignes);

// "étoile ×5, Etoile ×3, étoille ×1, …": what the class typed instead of a word, each answer
// cut to a readable length, an empty one written "(rien)"; empty when nothing was recorded.
QString TexteEcrits(const MotDeLaClasse& mot);
// "accent ×8, majuscule ×3": the kinds present, the most frequent first.
QString TexteGenres(const CompteGenres& genres);
// The kinds present, the most frequent first, then in their own order.
QVector<GenreErreur> GenresPresents(const CompteGenres& genres);
// "30 %", rounded; "–" for nothing out of nothing.
QString Part(int nombre, int total);

// A pupil's kinds of mistakes over his last weeks: for each kind present, its count each week
// and over them all. The total row is SemaineFautes::Reponses.
struct LigneGenre {
    GenreErreur Genre;
    QVector<int> ParSemaine;
    int Total = 0;
};
QVector<LigneGenre> LignesGenres(const StatistiquesEleve& eleve);
// "Semaine du 30/11".
QString TitreSemaine(const SemaineFautes& semaine);
// The sentence above that table: which weeks, how many wrong answers.
QString TexteFautesRecentes(const StatistiquesEleve& eleve);

// The class view for a spreadsheet: UTF-8 with a byte-order mark, ";" between fields, decimal
// commas and CR LF, which LibreOffice Calc and Excel open in French with accents and numbers
// right. A text field that a spreadsheet would take for a formula starts with an apostrophe.
// After the view's columns: the unreadable lines, the words to revise, then the wrong answers
// over the whole record and how many show each kind (new columns go at the end, so that sheets
// made from older files keep their references).
QByteArray CsvClasse(const BilanClasse& classe);
// Writes the whole file through a temporary file and a rename; false with the system's reason.
bool EnregistrerFichier(const QString& chemin, const QByteArray& contenu, QString* raison);
// One field, quoted when it holds ";", a quote or a line end.
QString ChampCsv(const QString& texte);

// Printed tables, headed with the group and the day.
QString ImpressionClasse(const BilanClasse& classe, const QString& groupe, const QString& date);
QString ImpressionMots(const BilanClasse& classe, const QString& groupe, const QString& date);
QString ImpressionProgres(const StatistiquesEleve& eleve);
