#pragma once
// The program's windows, each created once at start-up and reached by its name from everywhere.

#include "ui/dialogs/FormeModale.h"

#include <QString>
#include <QStringList>

class FenetreExercice;
class FenetreDepart;
class FenetreAideAccents;
class DialogueNombreItems;
class DialogueQuitter;
class DialogueAppreciation;
class FenetreBilans;
class DialogueNouvelEleve;
class DialogueMotDePasse;

// The backgrounds of the main window and of the start form, and the pictures of their buttons:
// decoded ahead while Qt starts (ui/platform/Prechargement), the backgrounds first.
inline const QString ImageFondExercice = QStringLiteral(":/art/fond_exercice.jpg");
inline const QString ImageFondDepart = QStringLiteral(":/art/fond_depart.jpg");
QStringList ImagesBoutonsDemarrage();

namespace Fenetres {

extern FenetreExercice* Exercice; // the main window ("Form1")
extern FenetreDepart* Depart;     // "Form2"
extern FenetreAideAccents* AideAccents;
extern DialogueNombreItems* NombreItems;
extern DialogueQuitter* Quitter;
extern DialogueAppreciation* Appreciation; // the feedback after every answer
extern FenetreBilans* Bilans;
extern DialogueNouvelEleve* NouvelEleve;
extern DialogueMotDePasse* MotDePasse;

// Creates them in the order the program depends on, the exercise window first (the main
// window); the others are owned by it. The program itself asks for
// Controles::AuPremierAffichage: the forms that do not appear at start-up build their controls
// when first shown, so the main window and the start form come up sooner. By default
// everything is built at once.
void Creer(FormeModale::Controles controles = FormeModale::Controles::Immediats);
void Detruire();

} // namespace Fenetres
