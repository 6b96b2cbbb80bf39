#include "Formulaires.h"

#include "dialogs/ChoixNbItems.h"
#include "dialogs/MessagePerso.h"
#include "dialogs/Quitter.h"
#include "exercise/Unit1.h"
#include "exercise/copieecran.h"
#include "setup/MotDePasse.h"
#include "setup/NouvelEleve.h"
#include "setup/Unit2.h"
#include "teacher/Bilans.h"

TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;
TCPEcr* CPEcr = nullptr;
TfChoixNbItems* fChoixNbItems = nullptr;
TfQuitter* fQuitter = nullptr;
TfMessagePerso* fMessagePerso = nullptr;
TfBilans* fBilans = nullptr;
TfNouvelEleve* fNouvelEleve = nullptr;
TfMotDePasse* fMotDePasse = nullptr;

// The pictures live in a static library: without this reference the linker drops them.
static void ChargerRessources() {
    Q_INIT_RESOURCE(art);
}

QStringList ImagesBoutonsDemarrage() {
    return {QStringLiteral(":/art/ecoute.png"),       QStringLiteral(":/art/ecrit.png"),
            QStringLiteral(":/art/stop.png"),         QStringLiteral(":/art/clavier.png"),
            QStringLiteral(":/art/nouvel_eleve.png"), QStringLiteral(":/art/bilan.png"),
            QStringLiteral(":/art/superviseur.png"),  QStringLiteral(":/art/remonter.png")};
}

void CreerFormulaires(FormeModale::Controles controles) {
    ChargerRessources();
    Form1 = new TForm1();
    // Shown at once, over the main window.
    Form2 = new TForm2(Form1);
    // Its picture is decoded at its first showing anyway; the rest is a window and a label.
    CPEcr = new TCPEcr(Form1);
    fChoixNbItems = new TfChoixNbItems(Form1, controles);
    fQuitter = new TfQuitter(Form1, controles);
    fMessagePerso = new TfMessagePerso(Form1, controles);
    fBilans = new TfBilans(Form1, controles);
    fNouvelEleve = new TfNouvelEleve(Form1, controles);
    fMotDePasse = new TfMotDePasse(Form1, controles);
}

void DetruireFormulaires() {
    delete Form1; // owns the others
    Form1 = nullptr;
    Form2 = nullptr;
    CPEcr = nullptr;
    fChoixNbItems = nullptr;
    fQuitter = nullptr;
    fMessagePerso = nullptr;
    fBilans = nullptr;
    fNouvelEleve = nullptr;
    fMotDePasse = nullptr;
}
