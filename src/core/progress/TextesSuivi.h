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

// The class view for a spreadsheet: UTF-8 with a byte-order mark, ";" between fields, decimal
// commas and CR LF, which LibreOffice Calc and Excel open in French with accents and numbers
// right. A text field that a spreadsheet would take for a formula starts with an apostrophe.
QByteArray CsvClasse(const BilanClasse& classe);
// Writes the whole file through a temporary file and a rename; false with the system's reason.
bool EnregistrerFichier(const QString& chemin, const QByteArray& contenu, QString* raison);
// One field, quoted when it holds ";", a quote or a line end.
QString ChampCsv(const QString& texte);

// Printed tables, headed with the group and the day.
QString ImpressionClasse(const BilanClasse& classe, const QString& groupe, const QString& date);
QString ImpressionMots(const BilanClasse& classe, const QString& groupe, const QString& date);
QString ImpressionProgres(const StatistiquesEleve& eleve);
