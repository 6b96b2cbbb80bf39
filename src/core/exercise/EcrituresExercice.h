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

// The header when an exercise opens with at least one item (the journal gets the rule first),
// on a line of its own even in a file an earlier crash left inside a line.
void EcrireEnTeteExercice(int nbItems);
// A right answer after `essais` attempts, `tempsItem` seconds on the item. At the first
// attempt on an item met for the first time (`nouveau`) it counts a success in the history;
// after retries it completes the item's open line and writes it.
void EcrireReponseJuste(const QString& tape, int tempsItem, int essais, bool nouveau,
                        const QString& ligneOuverte);
// A wrong answer: notes the failure in the history at the first attempt, and returns the item's
// open line grown by this answer (opened at the first attempt). Nothing is written.
QString LigneApresReponseFausse(const QString& ligneOuverte, const QString& fichierSon,
                                const QString& tape, int essais);
// The four closing lines, then the "Terminé" summary line.
void EcrireFinExercice(int tempsTotal, int score, int maxi);
// The interruption lines (the open line ended, or an empty line when none is open), then the
// "Interrompu" summary line.
void EcrireInterruption(int tempsTotal, int score, int maxi, const QString& ligneOuverte);
