#include "Quitter.h"

#include "PoliceResserree.h"
#include "core/Etat.h"
#include "core/Formulaires.h"
#include "exercise/EcrituresExercice.h"
#include "exercise/ItemsExercice.h"
#include "exercise/Unit1.h"
#include "records/Reussites.h"

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

TfQuitter::TfQuitter(QWidget* parent, Controles controles)
    : FormeModale(parent, QStringLiteral("fQuitter"), QStringLiteral("Quitter")) {
    SansBoutonsDeTitre();
    FixerTaille(290, 48);
    FondBleuCiel();
    TerminerCreation(controles);
}

void TfQuitter::ConstruireControles() {
    bNouvelExo = Bouton(this, "bNouvelExo", QStringLiteral("Nouvel exercice"), 6);
    bQuitter = Bouton(this, "bQuitter", QStringLiteral("Quitter"), 102);
    bAnnuler = Bouton(this, "bAnnuler", QStringLiteral("Annuler"), 198);
    ResserrerPolices({bNouvelExo, bQuitter, bAnnuler});
    // Enter pressed once too often must never end the exercise: it means "back to work".
    bAnnuler->setDefault(true);
    connect(bNouvelExo, &QPushButton::clicked, this, &TfQuitter::bNouvelExoClick);
    connect(bQuitter, &QPushButton::clicked, this, &TfQuitter::bQuitterClick);
    connect(bAnnuler, &QPushButton::clicked, this, &TfQuitter::bAnnulerClick);
}

void TfQuitter::FormActivate() {
    m_enCours = false;
    bAnnuler->setFocus();
}

void TfQuitter::EnregistrerInterruption() {
    Form1->Timer1->stop();
    Etat.TempsTotal += Etat.TempsItem;
    EcrireInterruption(Form1->lNote->text(), Form1->lNoteMaxi->text());
}

void TfQuitter::bQuitterClick() {
    if (m_enCours)
        return;
    m_enCours = true;
    EnregistrerInterruption();
    done(QDialog::Accepted);
    hide();
    // The farewell sound, the wait, then the main window closes and the program ends.
    Form1->Adieu(3000);
}

void TfQuitter::bNouvelExoClick() {
    if (m_enCours)
        return;
    m_enCours = true;
    EnregistrerReussites();
    EnregistrerInterruption();
    hide();
    done(QDialog::Accepted);
    Form1->NouvelExercice();
    if (Form1->Ferme())
        return; // the pupil left the program from the start form
    Etat.Score = 0;
    Form1->lBonus->setText(QStringLiteral("5"));
    if (Etat.NbItems > 0)
        Form1->lNote->setText(QStringLiteral("0"));
    Form1->lDossierCourant->setText(NomDossierCourant());
}

void TfQuitter::bAnnulerClick() {
    done(QDialog::Rejected);
}
