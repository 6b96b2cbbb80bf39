#include "NouvelEleve.h"

#include "Habillage.h"
#include "ListesDepart.h"
#include "Unit2.h"
#include "core/Formulaires.h"
#include "core/Services.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

TfNouvelEleve::TfNouvelEleve(QWidget* parent, Controles controles)
    : FormeModale(parent, QStringLiteral("fNouvelEleve"), QStringLiteral("Nouvel élève")) {
    SansBoutonsDeTitre();
    FixerTaille(260, 110);
    FondBleuCiel();
    TerminerCreation(controles);
}

void TfNouvelEleve::ConstruireControles() {
    setStyleSheet(Habillage::StyleBoutons + Habillage::StyleChamp);

    Label1 = Habillage::Etiquette(this, "Label1", QStringLiteral("Nouveau"), QRect(14, 6, 232, 22));
    Label1->setStyleSheet(QStringLiteral("font-size: 14px; font-weight: bold; color: #1c3f73;"));
    eUtilisateur = new QLineEdit(this);
    eUtilisateur->setObjectName(QStringLiteral("eUtilisateur"));
    eUtilisateur->setAccessibleName(QStringLiteral("Prénom"));
    eUtilisateur->setGeometry(14, 30, 232, 32);
    Label1->setBuddy(eUtilisateur);
    eUtilisateur->installEventFilter(this);
    bOk = Habillage::Bouton(this, "bOk", QStringLiteral("Valider"), QRect(30, 72, 96, 30));
    bAnnuler =
        Habillage::Bouton(this, "bAnnuler", QStringLiteral("Annuler"), QRect(134, 72, 96, 30));

    connect(bOk, &QToolButton::clicked, this, &TfNouvelEleve::bOkClick);
    connect(bAnnuler, &QToolButton::clicked, this, &TfNouvelEleve::bAnnulerClick);
}

void TfNouvelEleve::FormActivate() {
    eUtilisateur->clear();
    eUtilisateur->setFocus();
}

void TfNouvelEleve::Refuser(const QString& message) {
    Services::Messages().Message(message);
    eUtilisateur->setFocus();
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

void TfNouvelEleve::bAnnulerClick() {
    eUtilisateur->clear();
    done(QDialog::Rejected);
}

bool TfNouvelEleve::eventFilter(QObject* objet, QEvent* e) {
    if (objet == eUtilisateur && e->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(e)->key();
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
            bOkClick();
            return true;
        }
        if (touche == Qt::Key_Escape) {
            bAnnulerClick();
            return true;
        }
    }
    return FormeModale::eventFilter(objet, e);
}
