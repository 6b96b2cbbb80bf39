#pragma once
// The nine forms, each created once at start-up and reached by its name from everywhere.

class TForm1;
class TForm2;
class TCPEcr;
class TfChoixNbItems;
class TfQuitter;
class TfMessagePerso;
class TfBilans;
class TfNouvelEleve;
class TfMotDePasse;

extern TForm1* Form1;
extern TForm2* Form2;
extern TCPEcr* CPEcr;
extern TfChoixNbItems* fChoixNbItems;
extern TfQuitter* fQuitter;
extern TfMessagePerso* fMessagePerso;
extern TfBilans* fBilans;
extern TfNouvelEleve* fNouvelEleve;
extern TfMotDePasse* fMotDePasse;

// Creates them in the order the program depends on, Form1 first (the main window); the
// others are owned by it.
void CreerFormulaires();
void DetruireFormulaires();
