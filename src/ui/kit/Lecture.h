#pragma once
// The reading settings (core/ReglagesLecture) put on the controls a pupil reads: the letters
// and spacing of the companion text, the answer, the model and the words to review, and the
// high-contrast colours. With the standard letters nothing is changed nor loaded.

#include "core/ReglagesLecture.h"

#include <QColor>
#include <QFont>

class QPlainTextEdit;
class QWidget;

namespace Lecture {

// The letters in force: the setting's, or the standard ones when its font is not installed.
MiseEnPageLecture MiseEnPage();
bool ContrasteFort();
QColor Couleur(CouleurRgb rgb);

// `w` in the reading letters, at its own size and weight; back to the letters it had when the
// setting returns to standard.
void Police(QWidget* w);
// The same on a font: what a control that draws its own text (and a list entry) uses.
QFont Police(const QFont& habituelle);
// In high contrast, `w`'s text black (a disabled control's dark grey when `grise`, black
// otherwise: the model is read while disabled) and, when `fondBlanc`, its background white; its
// own colours back otherwise.
void Contraste(QWidget* w, bool grise = false, bool fondBlanc = false);
// A sky-blue window's background: white in high contrast, where its blue texts read at 7:1 or
// more, sky blue again otherwise. Untouched while standard and never changed.
void FondDeFenetre(QWidget* fenetre);
// The lines of the text shown spaced as the setting asks; call after each new text.
void Interligner(QPlainTextEdit* texte);

} // namespace Lecture
