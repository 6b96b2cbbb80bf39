#include "MotDePasse.h"

#include "Habillage.h"
#include "core/Services.h"

#include <QKeyEvent>
#include <QLineEdit>

TfMotDePasse::TfMotDePasse(QWidget* parent, Controles controles)
    : FormeModale(parent, QStringLiteral("fMotDePasse"), QStringLiteral("Mot de passe")) {
    SansBoutonsDeTitre();
    FixerTaille(260, 110);
    FondBleuCiel();
    TerminerCreation(controles);
}

void TfMotDePasse::ConstruireControles() {
    // Every typed character shows as "*", whatever the desktop style would draw.
    setStyleSheet(Habillage::StyleBoutons + Habillage::StyleChamp +
                  QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));

    Label1 =
        Habillage::Etiquette(this, "Label1", QStringLiteral("Mot de passe"), QRect(14, 6, 232, 22));
    Label1->setStyleSheet(QStringLiteral("font-size: 14px; font-weight: bold; color: #1c3f73;"));
    eMotDePasse = new QLineEdit(this);
    eMotDePasse->setObjectName(QStringLiteral("eMotDePasse"));
    eMotDePasse->setAccessibleName(QStringLiteral("Mot de passe"));
    eMotDePasse->setEchoMode(QLineEdit::Password);
    eMotDePasse->setGeometry(14, 30, 232, 32);
    Label1->setBuddy(eMotDePasse);
    eMotDePasse->installEventFilter(this);
    bOk = Habillage::Bouton(this, "bOk", QStringLiteral("Valider"), QRect(30, 72, 96, 30));
    bAnnuler =
        Habillage::Bouton(this, "bAnnuler", QStringLiteral("Annuler"), QRect(134, 72, 96, 30));

    connect(bOk, &QToolButton::clicked, this, &TfMotDePasse::bOkClick);
    connect(bAnnuler, &QToolButton::clicked, this, &TfMotDePasse::bAnnulerClick);
}

void TfMotDePasse::FormActivate() {
    eMotDePasse->clear();
    eMotDePasse->setFocus();
}

void TfMotDePasse::bOkClick() {
    if (eMotDePasse->text().isEmpty()) {
        Services::Messages().Message(QStringLiteral("Saisis ton mot de passe."));
        eMotDePasse->setFocus();
        return;
    }
    done(QDialog::Accepted);
}

void TfMotDePasse::bAnnulerClick() {
    eMotDePasse->clear();
    done(QDialog::Rejected);
}

bool TfMotDePasse::eventFilter(QObject* objet, QEvent* e) {
    if (objet == eMotDePasse && e->type() == QEvent::KeyPress) {
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
