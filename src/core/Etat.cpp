#include "core/Etat.h"

EtatProgramme Etat;

void EtatProgramme::Reinitialiser() {
    const QString dossier = DossierProgramme; // the executable does not move during a run
    *this = EtatProgramme();
    DossierProgramme = dossier;
    CheminMedias = dossier;
}
