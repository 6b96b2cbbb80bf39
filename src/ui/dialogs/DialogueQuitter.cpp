#include "ui/dialogs/DialogueQuitter.h"

#include "core/Etat.h"
#include "core/exercise/EcrituresExercice.h"
#include "core/exercise/ItemsExercice.h"
#include "core/records/Reussites.h"
#include "ui/Fenetres.h"
#include "ui/exercise/FenetreExercice.h"
#include "ui/kit/PoliceResserree.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

QPushButton* Bouton(QWidget* parent, const char* nom, const QString& texte, int gauche) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setGeometry(gauche, 5, 90, 41);
    return b;
}

} // namespace

DialogueQuitter::DialogueQuitter(QWidget* parent, Controles controles)
    : FormeModale(parent, QStringLiteral("fQuitter"), QStringLiteral("Quitter")) {
    SansBoutonsDeTitre();
    FixerTaille(290, 48);
    FondBleuCiel();
    TerminerCreation(controles);
}

void DialogueQuitter::ConstruireControles() {
    bNouvelExo = Bouton(this, "bNouvelExo", QStringLiteral("Nouvel exercice"), 6);
    bQuitter = Bouton(this, "bQuitter", QStringLiteral("Quitter"), 102);
    bAnnuler = Bouton(this, "bAnnuler", QStringLiteral("Annuler"), 198);
    ResserrerPolices({bNouvelExo, bQuitter, bAnnuler});
    // Enter pressed once too often must never end the exercise: it means "back to work".
    bAnnuler->setDefault(true);
    connect(bNouvelExo, &QPushButton::clicked, this, &DialogueQuitter::bNouvelExoClick);
    connect(bQuitter, &QPushButton::clicked, this, &DialogueQuitter::bQuitterClick);
    connect(bAnnuler, &QPushButton::clicked, this, &DialogueQuitter::bAnnulerClick);
}

void DialogueQuitter::FormActivate() {
    m_enCours = false;
    bAnnuler->setFocus();
}

void DialogueQuitter::EnregistrerInterruption() {
    Fenetres::Exercice->horlogeItem->stop();
    Etat.TempsTotal += Etat.TempsItem;
    EcrireInterruption(Fenetres::Exercice->lNote->text(), Fenetres::Exercice->lNoteMaxi->text());
}

void DialogueQuitter::bQuitterClick() {
    if (m_enCours)
        return;
    m_enCours = true;
    EnregistrerInterruption();
    done(QDialog::Accepted);
    hide();
    // The farewell sound, the wait, then the main window closes and the program ends.
    Fenetres::Exercice->Adieu(3000);
}

void DialogueQuitter::bNouvelExoClick() {
    if (m_enCours)
        return;
    m_enCours = true;
    EnregistrerReussites();
    EnregistrerInterruption();
    hide();
    done(QDialog::Accepted);
    Fenetres::Exercice->NouvelExercice();
    if (Fenetres::Exercice->Ferme())
        return; // the pupil left the program from the start form
    Etat.Score = 0;
    Fenetres::Exercice->lBonus->setText(QStringLiteral("5"));
    if (Etat.NbItems > 0)
        Fenetres::Exercice->lNote->setText(QStringLiteral("0"));
    Fenetres::Exercice->lDossierCourant->setText(NomDossierCourant());
}

void DialogueQuitter::bAnnulerClick() {
    done(QDialog::Rejected);
}
