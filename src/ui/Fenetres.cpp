#include "ui/Fenetres.h"

#include "ui/Pilote.h"
#include "ui/dialogs/DialogueAppreciation.h"
#include "ui/dialogs/DialogueNombreItems.h"
#include "ui/dialogs/DialogueQuitter.h"
#include "ui/exercise/FenetreAideAccents.h"
#include "ui/exercise/FenetreExercice.h"
#include "ui/setup/DialogueMotDePasse.h"
#include "ui/setup/DialogueNouvelEleve.h"
#include "ui/setup/FenetreDepart.h"
#include "ui/teacher/FenetreBilans.h"

QStringList ImagesBoutonsDemarrage() {
    return {QStringLiteral(":/art/ecoute.png"),       QStringLiteral(":/art/ecrit.png"),
            QStringLiteral(":/art/stop.png"),         QStringLiteral(":/art/clavier.png"),
            QStringLiteral(":/art/nouvel_eleve.png"), QStringLiteral(":/art/bilan.png"),
            QStringLiteral(":/art/superviseur.png"),  QStringLiteral(":/art/remonter.png"),
            QStringLiteral(":/art/tortue.png")};
}

namespace Fenetres {

FenetreExercice* Exercice = nullptr;
FenetreDepart* Depart = nullptr;
FenetreAideAccents* AideAccents = nullptr;
DialogueNombreItems* NombreItems = nullptr;
DialogueQuitter* Quitter = nullptr;
DialogueAppreciation* Appreciation = nullptr;
FenetreBilans* Bilans = nullptr;
DialogueNouvelEleve* NouvelEleve = nullptr;
DialogueMotDePasse* MotDePasse = nullptr;

void Creer(FormeModale::Controles controles) {
    Exercice = new FenetreExercice();
    // Shown at once, over the main window.
    Depart = new FenetreDepart(Exercice);
    // Its picture is decoded at its first showing anyway; the rest is a window and a label.
    AideAccents = new FenetreAideAccents(Exercice);
    NombreItems = new DialogueNombreItems(Exercice, controles);
    Quitter = new DialogueQuitter(Exercice, controles);
    Appreciation = new DialogueAppreciation(Exercice, controles);
    Bilans = new FenetreBilans(Exercice, controles);
    NouvelEleve = new DialogueNouvelEleve(Exercice, controles);
    MotDePasse = new DialogueMotDePasse(Exercice, controles);
    Pilote::Relier();
}

void Detruire() {
    delete Exercice; // owns the others
    Exercice = nullptr;
    Depart = nullptr;
    AideAccents = nullptr;
    NombreItems = nullptr;
    Quitter = nullptr;
    Appreciation = nullptr;
    Bilans = nullptr;
    NouvelEleve = nullptr;
    MotDePasse = nullptr;
}

} // namespace Fenetres
