#pragma once
// The window flow of the program: the start form before each exercise, the exercise, the
// records window for the pupil and for the teacher, the end of the program. The windows ask
// through their signals, which Fenetres::Creer connects here, and never steer one another.

namespace Pilote {

// Connects the windows' requests to the flow; Fenetres::Creer calls it once they exist.
void Relier();
// The main window's first activation: the configuration, the journal, then the first exercise.
void Demarrer();
// The start form, then the exercise chosen there; the farewell when the pupil quits there.
void NouvelExercice();
// The end of an exercise: another one, or the pupil's records if he wishes, then the farewell.
void ExerciceTermine();
// The farewell sound heard whole (at most `attenteMs`), then the end of the program.
void Adieu(int attenteMs);
// True once the main window has closed: a modal loop that returns then acts on nothing more.
bool ProgrammeQuiSeTermine();

} // namespace Pilote
