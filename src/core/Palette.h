#pragma once
// The program's text colours and the backgrounds they are drawn on, in one place: the windows
// take their colours from here, and a check walks every pair at each reading setting. A colour
// is 0xRRGGBB; QColor(QRgb(c)) and NomCss(c) put it on screen.

#include "core/ReglagesLecture.h"

#include <QString>

namespace Couleurs {
// The usual look: dark blues on white and on the windows' sky blue.
inline constexpr CouleurRgb Encre = 0x0b2447;       // answers, values, message texts
inline constexpr CouleurRgb EncreTexte = 0x102a50;  // the item's companion text, the corrigé
inline constexpr CouleurRgb BleuLegende = 0x1c3f73; // captions, headings, buttons' captions
inline constexpr CouleurRgb GrisModele = 0x555555;  // the model answer under "J'observe"
inline constexpr CouleurRgb LettreFausse = 0xc0261b;
inline constexpr CouleurRgb LettreEnTrop = 0x6e0b04;
inline constexpr CouleurRgb AccentOublie = 0xa84f00;
inline constexpr CouleurRgb RougeAvis = 0xa00000; // the item-count dialog's warning
// The words-to-review entry of the start form: an orange dark enough to read under the mouse.
inline constexpr CouleurRgb OrangeRevue = 0xa35400;

inline constexpr CouleurRgb Blanc = 0xffffff;
inline constexpr CouleurRgb BleuCiel = 0xa6caf0; // the windows, the forms, the message boxes
inline constexpr CouleurRgb Survol = 0xe6f1fc;   // a button or an entry under the mouse
inline constexpr CouleurRgb Enfonce = 0xcfe3f8;  // a button pressed
inline constexpr CouleurRgb Focus = 0xfff4c2;    // a message box's button with the focus
// A chosen entry of a list, its text white: deep enough for white letters to read.
inline constexpr CouleurRgb Selection = 0x3673b9;
// The start form's "Commencer", its caption white, and the same under the mouse.
inline constexpr CouleurRgb VertValider = 0x2e7d32;
inline constexpr CouleurRgb VertValiderSurvol = 0x276b2b;

// The lightest spots the background pictures draw behind a text (the exercise's title bar,
// its item text box, the buttons' band, the J'observe box; the start form's headings).
inline constexpr CouleurRgb FondTitreExercice = 0xe8edf3;
inline constexpr CouleurRgb FondTexteItem = 0xf4f9fd;
inline constexpr CouleurRgb FondBandeBoutons = 0xb0d1f2;
inline constexpr CouleurRgb FondJObserve = 0xeaf3fc;
inline constexpr CouleurRgb FondTitreDepart = 0xdbebfb;

// The mark around the focused control: the program's orange edged with black, so that one of
// its two colours stands out at 3:1 from whatever it surrounds (the orange alone does not on
// the sky blue).
inline constexpr CouleurRgb AnneauFocus = 0xf08c00;
inline constexpr CouleurRgb BordAnneauFocus = 0x000000; // the ink would be 2.6:1 on the greens
} // namespace Couleurs

// "#rrggbb", for a style sheet.
QString NomCss(CouleurRgb couleur);

// Each text colour with each background it is drawn on, at a reading setting: the usual
// colours whatever the letters, the high-contrast ones when asked.
QList<PaireCouleurs> PairesCouleurs(const ReglagesLecture& reglages);
