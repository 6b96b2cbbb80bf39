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
static void ChargerRessources() { Q_INIT_RESOURCE(art); }

void CreerFormulaires() {
    ChargerRessources();
    Form1 = new TForm1();
    Form2 = new TForm2(Form1);
    CPEcr = new TCPEcr(Form1);
    fChoixNbItems = new TfChoixNbItems(Form1);
    fQuitter = new TfQuitter(Form1);
    fMessagePerso = new TfMessagePerso(Form1);
    fBilans = new TfBilans(Form1);
    fNouvelEleve = new TfNouvelEleve(Form1);
    fMotDePasse = new TfMotDePasse(Form1);
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
