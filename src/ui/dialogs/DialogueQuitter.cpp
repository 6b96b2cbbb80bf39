#include "ui/dialogs/DialogueQuitter.h"

#include "ui/kit/Kit.h"
#include "ui/kit/PoliceResserree.h"

#include <QPushButton>

DialogueQuitter::DialogueQuitter(QWidget* parent, Controles controles)
    : FormeModale(parent, QStringLiteral("fQuitter"), QStringLiteral("Quitter")) {
    SansBoutonsDeTitre();
    FixerTaille(290, 48);
    FondBleuCiel();
    TerminerCreation(controles);
}

void DialogueQuitter::ConstruireControles() {
    bNouvelExo =
        Kit::Bouton(this, "bNouvelExo", QStringLiteral("Nouvel exercice"), QRect(6, 5, 90, 41));
    bQuitter = Kit::Bouton(this, "bQuitter", QStringLiteral("Quitter"), QRect(102, 5, 90, 41));
    bAnnuler = Kit::Bouton(this, "bAnnuler", QStringLiteral("Annuler"), QRect(198, 5, 90, 41));
    ResserrerPolices({bNouvelExo, bQuitter, bAnnuler});
    for (QPushButton* b : {bNouvelExo, bQuitter, bAnnuler})
        Kit::ActiverAuClavier(b);
    // Enter pressed once too often must never end the exercise: it means "back to work".
    bAnnuler->setDefault(true);
    connect(bNouvelExo, &QPushButton::clicked, this, &DialogueQuitter::bNouvelExoClick);
    connect(bQuitter, &QPushButton::clicked, this, &DialogueQuitter::bQuitterClick);
    connect(bAnnuler, &QPushButton::clicked, this, &DialogueQuitter::bAnnulerClick);
}

void DialogueQuitter::FormActivate() {
    bAnnuler->setFocus();
}

void DialogueQuitter::bQuitterClick() {
    done(ChoixQuitter);
}

void DialogueQuitter::bNouvelExoClick() {
    done(ChoixNouvelExercice);
}

void DialogueQuitter::bAnnulerClick() {
    done(ChoixAnnuler);
}

// Closed by the window manager: back to the exercise, as Escape would be if it did anything.
void DialogueQuitter::FermetureDeLaFenetre() {
    bAnnulerClick();
}
