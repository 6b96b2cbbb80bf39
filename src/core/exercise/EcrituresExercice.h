#pragma once
// What an exercise writes, and where: the pupil's detail record (named pupil only) and the
// run's journal (every pupil) receive the same lines; the summary and the history are the
// named pupil's alone. The lines themselves are laid out by core/records/LignesBilan.
//
// A line is appended only once it is whole, with its line end: the line of a missed item is
// kept by the session while the pupil retries (the open line) and written when the item is
// answered right or the exercise is interrupted. A shutdown meanwhile then leaves no piece of
// it behind, and two computers recording the same pupil never mix pieces of their lines.

#include <QString>

// Where an exercise writes, handed to it when it opens: a named pupil's records and history and
// the run's journal, the journal alone for a visitor, or nothing at all (the studio's trial).
struct BilansExercice {
    QString Detail;          // the pupil's detail record; empty: nobody named
    QString Exos;            // his summary of exercises
    bool Historique = false; // his successes and failures are counted in his history
    QString Journal;         // the run's journal; empty: none
    QString Dossier;         // the exercise folder's name, as the records carry it

    // The pupil, the group and the journal the program has now, on `dossierExercice`.
    static BilansExercice DuProgramme(const QString& dossierExercice);
};

// The header when an exercise opens with at least one item (the journal gets the rule first),
// on a line of its own even in a file an earlier crash left inside a line.
void EcrireEnTeteExercice(const BilansExercice& bilans, int nbItems);
// A right answer after `essais` attempts, `tempsItem` seconds on the item. At the first
// attempt on an item met for the first time (`nouveau`) it counts a success in the history;
// after retries it completes the item's open line and writes it.
void EcrireReponseJuste(const BilansExercice& bilans, const QString& tape, int tempsItem,
                        int essais, bool nouveau, const QString& ligneOuverte);
// A wrong answer: notes the failure in the history at the first attempt, and returns the item's
// open line grown by this answer (opened at the first attempt). Nothing is written.
QString LigneApresReponseFausse(const BilansExercice& bilans, const QString& ligneOuverte,
                                const QString& fichierSon, const QString& tape, int essais);
// The four closing lines, then the "Terminé" summary line.
void EcrireFinExercice(const BilansExercice& bilans, int tempsTotal, int score, int maxi);
// The interruption lines (the open line ended, or an empty line when none is open), then the
// "Interrompu" summary line.
void EcrireInterruption(const BilansExercice& bilans, int tempsTotal, int score, int maxi,
                        const QString& ligneOuverte);
