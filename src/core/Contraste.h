#pragma once
// How far a text colour stands out from its background, as the accessibility guidelines for
// the web measure it (WCAG 2): from 1 (the same colour) to 21 (black on white). Ordinary text
// needs 4.5, the high-contrast colours 7.

#include "core/ReglagesLecture.h"

// The relative luminance of an sRGB colour (0xRRGGBB): 0 for black, 1 for white.
double LuminanceRelative(CouleurRgb couleur);
// The contrast ratio of two colours, in either order.
double RapportContraste(CouleurRgb a, CouleurRgb b);
