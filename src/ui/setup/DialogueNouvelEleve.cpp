#include "ui/setup/DialogueNouvelEleve.h"

#include "core/Services.h"
#include "core/setup/ListesDepart.h"

#include <QLineEdit>

DialogueNouvelEleve::DialogueNouvelEleve(QWidget* parent, Controles controles)
    : DialogueSaisie(parent, QStringLiteral("fNouvelEleve"), QStringLiteral("Nouvel élève")) {
    SansBoutonsDeTitre();
    FixerTaille(260, 110);
    FondBleuCiel();
    TerminerCreation(controles);
}

void DialogueNouvelEleve::ConstruireControles() {
    eUtilisateur =
        ConstruireSaisie("eUtilisateur", QStringLiteral("Nouveau"), QStringLiteral("Prénom"));
}

void DialogueNouvelEleve::bOkClick() {
    const QString nom = eUtilisateur->text();
    if (nom.isEmpty()) {
        Refuser(QStringLiteral("Saisis ton prénom."));
        return;
    }
    // The name becomes file names in the group folder: one that cannot, or that the list
    // would never show again, is refused here while the pupil can still change it.
    const QString refus = RefusPrenom(nom);
    if (!refus.isEmpty()) {
        Refuser(refus);
        return;
    }
    if (NomsPris.contains(nom)) {
        Refuser(QStringLiteral("Prénom déjà existant dans la liste. Choisir un autre prénom"));
        return;
    }
    done(QDialog::Accepted);
}
