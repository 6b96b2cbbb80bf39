#include "ui/Pilote.h"

#include "Version.h"
#include "core/Configuration.h"
#include "core/Etat.h"
#include "core/Services.h"
#include "core/exercise/DeroulementExercice.h"
#include "core/records/Journal.h"
#include "core/records/Reussites.h"
#include "ui/Fenetres.h"
#include "ui/exercise/FenetreExercice.h"
#include "ui/setup/FenetreDepart.h"
#include "ui/teacher/FenetreBilans.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>

namespace Pilote {

namespace {

void MontrerBilans() {
    Services::Modal().Montrer(Fenetres::Bilans);
}

} // namespace

void Relier() {
    FenetreExercice* exercice = Fenetres::Exercice;
    QObject::connect(exercice, &FenetreExercice::activee, exercice, &Demarrer);
    QObject::connect(exercice, &FenetreExercice::nouvelExerciceDemande, exercice, &NouvelExercice);
    QObject::connect(exercice, &FenetreExercice::quitterDemande, exercice, [] { Adieu(3000); });
    QObject::connect(exercice, &FenetreExercice::exerciceTermine, exercice, &ExerciceTermine);
    QObject::connect(Fenetres::Depart, &FenetreDepart::bilansDemandes, exercice, &MontrerBilans);
}

bool ProgrammeQuiSeTermine() {
    return !Fenetres::Exercice || Fenetres::Exercice->Ferme();
}

void Demarrer() {
    if (!Etat.PremiereActivation || ProgrammeQuiSeTermine())
        return;
    // Cleared first: the start form shown below re-activates the main window when it closes.
    Etat.PremiereActivation = false;
    Etat.EcriturePossible = true;
    if (ChargerConfiguration() == ResultatConfiguration::IniAbsent) {
        Fenetres::Exercice->close();
        return;
    }
    if (!JournalCree())
        Etat.EcriturePossible = false;
    Etat.TitreApplication = QStringLiteral(PLUMELUNE_TITRE);
    Fenetres::Exercice->setWindowTitle(Etat.TitreApplication);
    NouvelExercice();
}

void NouvelExercice() {
    if (!QFileInfo(Etat.CheminMedias).isDir()) {
        Services::Messages().Erreur(
            QStringLiteral("Impossible d'ouvrir le dossier des exercices « %1 ».")
                .arg(QDir::toNativeSeparators(Etat.CheminMedias)));
    }
    EnregistrerReussites();
    Fenetres::Exercice->AppliquerLecture(); // behind the start form too
    const int issue = Services::Modal().Montrer(Fenetres::Depart);
    if (ProgrammeQuiSeTermine())
        return;
    switch (issue) {
    case FenetreDepart::Quitter:
        Adieu(3000);
        return;
    case FenetreDepart::SansConfiguration:
        // Said by the configuration's loader; without it the program cannot go on.
        Fenetres::Exercice->close();
        return;
    case QDialog::Accepted:
        Fenetres::Exercice->Ouvrir();
        return;
    default:
        return; // closed without a choice: nothing to open
    }
}

void ExerciceTermine() {
    const bool autre = Services::Messages().QuestionOuiNon(Etat.Exercice.QuestionFin());
    if (ProgrammeQuiSeTermine())
        return;
    if (autre) {
        NouvelExercice();
        return;
    }
    Fenetres::Exercice->Arreter();
    if (Etat.Exercice.ProposerBilan() &&
        Services::Messages().QuestionOuiNon(QStringLiteral("Veux-tu voir ton bilan ?")) &&
        !ProgrammeQuiSeTermine()) {
        EnregistrerReussites();
        Etat.ModeEnseignant = false;
        MontrerBilans();
    }
    Adieu(4000);
}

void Adieu(int attenteMs) {
    if (ProgrammeQuiSeTermine())
        return;
    Fenetres::Exercice->repaint();
    if (JouerEffet(QStringLiteral("quitter.wav")))
        Services::Pause().Attendre(attenteMs);
    Fenetres::Exercice->close();
}

} // namespace Pilote
