#pragma once
// How large the program's windows are drawn. Every window keeps the layout it was designed at
// and is drawn at one factor: controls, type, pictures and margins together. By default the
// factor makes the exercise window take most of the screen's height; the ini's ECHELLE key
// ("AUTO", or a number such as 1, 1,5 or 2) fixes it.

#include <QSizeF>
#include <QString>

struct ReglageEchelle {
    bool Automatique = true;
    double Facteur = 1; // when not automatic
    bool operator==(const ReglageEchelle&) const = default;
};

// The value of the ECHELLE key: "AUTO" in any case, or a number from 1 to 8 written with a
// comma or a dot. false for anything else: the caller keeps the automatic factor.
bool LireReglageEchelle(const QString& valeur, ReglageEchelle& reglage);
// What the message says about a value that is not a scale.
QString MessageEchelleInvalide(const QString& valeur);
// The ECHELLE setting of an ini file's content (the last valid line wins; none means
// automatic), read before the windows exist.
ReglageEchelle ReglageEchelleDuFichier(const QByteArray& contenu);

// The design size of the exercise window, the one the automatic factor is measured on.
inline constexpr QSizeF TailleFenetreExercice{628, 429};
// The share of the screen's available height the exercise window takes by default.
inline constexpr double PartDeLaHauteur = 0.85;

// The factor to draw at on a screen whose available area is `disponible` (in the screen's own
// units): the setting's, or the automatic one (by quarters); never so large that the exercise
// window, its frame included, would not fit, and never below 1.
double FacteurEchelle(const ReglageEchelle& reglage, const QSizeF& disponible);
