#include "NouvelEleve.h"

#include "ListesDepart.h"
#include "Unit2.h"
#include "core/Formulaires.h"
#include "core/Services.h"

#include <QComboBox>
#include <QLineEdit>

TfNouvelEleve::TfNouvelEleve(QWidget* parent, Controles controles)
    : DialogueSaisie(parent, QStringLiteral("fNouvelEleve"), QStringLiteral("Nouvel élève")) {
    SansBoutonsDeTitre();
    FixerTaille(260, 110);
    FondBleuCiel();
    TerminerCreation(controles);
}

void TfNouvelEleve::ConstruireControles() {
    eUtilisateur =
        ConstruireSaisie("eUtilisateur", QStringLiteral("Nouveau"), QStringLiteral("Prénom"));
}

void TfNouvelEleve::bOkClick() {
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
    if (Form2) {
        for (int i = 0; i < Form2->cChoixUtilisateur->count(); ++i) {
            if (Form2->cChoixUtilisateur->itemText(i) == nom) {
                Refuser(
                    QStringLiteral("Prénom déjà existant dans la liste. Choisir un autre prénom"));
                return;
            }
        }
    }
    done(QDialog::Accepted);
}
