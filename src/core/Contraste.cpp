#include "core/Contraste.h"

#include <algorithm>
#include <cmath>

namespace {
// One sRGB channel (0 to 255) back to linear light.
double Lineaire(unsigned canal) {
    const double c = canal / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
} // namespace

double LuminanceRelative(CouleurRgb couleur) {
    return 0.2126 * Lineaire((couleur >> 16) & 0xff) + 0.7152 * Lineaire((couleur >> 8) & 0xff) +
           0.0722 * Lineaire(couleur & 0xff);
}

double RapportContraste(CouleurRgb a, CouleurRgb b) {
    const double la = LuminanceRelative(a);
    const double lb = LuminanceRelative(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
