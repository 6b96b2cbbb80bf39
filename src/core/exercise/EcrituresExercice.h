#pragma once
// What an exercise writes, and where: the pupil's detail record (named pupil only) and the
// run's journal (every pupil) receive the same lines; the summary and the history are the
// named pupil's alone.

#include <QString>

// The header when an exercise opens with at least one item (the journal gets the rule first).
void EcrireEnTeteExercice();
// A right answer. `bonus` is the text of the points in play; the first attempt with "5"
// counts a success in the history.
void EcrireReponseJuste(const QString& tape, const QString& bonus);
// A wrong answer: opens the item's line at the first attempt, continues it afterwards.
void EcrireReponseFausse(const QString& tape);
// The four closing lines, then the "Terminé" summary line.
void EcrireFinExercice(const QString& score, const QString& maxi);
// The three interruption lines, then the "Interrompu" summary line.
void EcrireInterruption(const QString& score, const QString& maxi);
