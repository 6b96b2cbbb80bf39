#pragma once
// The nine forms, each created once at start-up and reached by its name from everywhere.

#include "dialogs/FormeModale.h"

#include <QString>
#include <QStringList>

class TForm1;
class TForm2;
class TCPEcr;
class TfChoixNbItems;
class TfQuitter;
class TfMessagePerso;
class TfBilans;
class TfNouvelEleve;
class TfMotDePasse;

// The backgrounds of the main window and of the start form, and the pictures of their buttons:
// decoded ahead while Qt starts (core/Prechargement), the backgrounds first.
inline const QString ImageFondExercice = QStringLiteral(":/art/fond_exercice.jpg");
inline const QString ImageFondDepart = QStringLiteral(":/art/fond_depart.jpg");
QStringList ImagesBoutonsDemarrage();

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
// others are owned by it. The program itself asks for Controles::AuPremierAffichage: the
// forms that do not appear at start-up build their controls when first shown, so the main
// window and the start form come up sooner. By default everything is built at once.
void CreerFormulaires(FormeModale::Controles controles = FormeModale::Controles::Immediats);
void DetruireFormulaires();
