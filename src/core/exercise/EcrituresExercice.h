#pragma once
// What an exercise writes, and where: the pupil's detail record (named pupil only) and the
// run's journal (every pupil) receive the same lines; the summary and the history are the
// named pupil's alone. The lines themselves are laid out by core/records/LignesBilan.

#include <QString>

// The header when an exercise opens with at least one item (the journal gets the rule first).
void EcrireEnTeteExercice(int nbItems);
// A right answer after `essais` attempts, `tempsItem` seconds on the item. At the first
// attempt on an item met for the first time (`nouveau`) it counts a success in the history.
void EcrireReponseJuste(const QString& tape, int tempsItem, int essais, bool nouveau);
// A wrong answer: opens the item's line at the first attempt (and notes the failure in the
// history), continues it afterwards.
void EcrireReponseFausse(const QString& fichierSon, const QString& tape, int essais);
// The four closing lines, then the "Terminé" summary line.
void EcrireFinExercice(int tempsTotal, int score, int maxi);
// The three interruption lines, then the "Interrompu" summary line.
void EcrireInterruption(int tempsTotal, int score, int maxi);
