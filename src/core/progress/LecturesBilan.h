#pragma once
// Reading back, one line at a time, what the program writes to a pupil's exercise summary and
// detail record. The files are also the teacher's: a hand edit, a crash in the middle of a line
// or another program's text may stand anywhere, so every reader says when a line is not one of
// the program's own, and never guesses.

#include <QDate>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>

// One line of the exercise summary: "07/12/2026 | Terminé    |    8 /  10 | Animaux".
struct ExerciceResume {
    QDate Date;
    bool Termine = false;
    int Score = 0;
    int Maxi = 0;
    QString Dossier;
    // The score in percent of the maximum.
    double Pourcent() const { return 100.0 * Score / Maxi; }
};

// The dates a record can hold. The program writes today's date; a year 0001 or 2999 is a
// damaged or hand-edited line, and would stretch the progress chart's time axis over centuries.
struct PlageDates {
    QDate Debut;
    QDate Fin;
    bool Contient(const QDate& d) const { return d.isValid() && d >= Debut && d <= Fin; }
};
// From 01/01/2000 to a year after `aujourdhui` (a clock set a few months wrong still passes).
PlageDates PlageVraisemblable(const QDate& aujourdhui);
// The same from the program's clock (Services::Horloge()), or the system's when the clock's
// text is not a date.
PlageDates PlageDuJour();

// false for a line the program cannot have written: a missing field, a date that is no date or
// lies outside `plage`, a state word other than "Terminé" or "Interrompu", a score that is not a
// whole number, or one above its maximum (the maximum is five points an item, never 0).
bool LireLigneResume(QStringView ligne, ExerciceResume& exercice, const PlageDates& plage);

enum class SorteDetail {
    Vide,         // an empty line (before the closing lines)
    EnTete,       // "07/12/2026 à 14:03:27 - 2 items - Exercice sur [Animaux]"
    Juste,        // "chat : [4 s - 1 essai]", with or without " (déjà tenté)"
    Ratee,        // "chien : chein - chiein [1 min 5 s - 3 essais]"
    Ouverte,      // "chien : chein": an item's line without its end, what an interruption leaves
    Temps,        // "Temps exercice : 1 min 12 s."
    Score,        // "Score : 8/10."
    Interruption, // "Exercice interrompu après 2 min 3 s."
    Regle,        // the rule of "-"
    Illisible,
};

// The texts are views into the line read: years of records are read without copying a line.
struct LigneDetail {
    SorteDetail Sorte = SorteDetail::Illisible;
    QDate Date;          // EnTete
    QStringView Dossier; // EnTete
    QStringView Attendu; // Ratee, Ouverte: the item as written, codes and alternatives included
    QStringView Reponse; // Juste: the answer as typed
    // Ratee, Ouverte: the wrong answers as typed, " - " between them ("chein - chiein").
    QStringView Reponses;
    int Essais = 0; // Juste: 1; Ratee: 2 or more
    // A header glued after the start of the line: the end of a line a crash cut, then the next
    // run's header. The header is read from here; what stands before it is lost.
    qsizetype EnTeteColle = -1;
};

// A header whose date lies outside `plage` is unreadable, as one whose date is not a date.
LigneDetail LireLigneDetail(QStringView ligne, const PlageDates& plage);

// The wrong answers of an item's line, in the order typed. A line right after `essais` attempts
// holds essais - 1 of them; when " - " splits it otherwise (an answer that holds " - " itself),
// which answer is which cannot be told and none is given. `essais` 0: a line left open, taken
// as it splits.
QVarLengthArray<QStringView, 4> ReponsesFausses(QStringView reponses, int essais);

// An item's time as the records write it: "4 s", "1 min 5 s", "1 h 0 s", "2 h 3 min 4 s".
bool DureeValide(QStringView texte);
