#include "ui/setup/DialogueMotDePasse.h"

#include <QLineEdit>

DialogueMotDePasse::DialogueMotDePasse(QWidget* parent, Controles controles)
    : DialogueSaisie(parent, QStringLiteral("fMotDePasse"), QStringLiteral("Mot de passe")) {
    SansBoutonsDeTitre();
    FixerTaille(260, 110);
    FondBleuCiel();
    TerminerCreation(controles);
}

void DialogueMotDePasse::ConstruireControles() {
    // Every typed character shows as "*", whatever the desktop style would draw.
    eMotDePasse = ConstruireSaisie(
        "eMotDePasse", QStringLiteral("Mot de passe"), QStringLiteral("Mot de passe"),
        QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    eMotDePasse->setEchoMode(QLineEdit::Password);
}

void DialogueMotDePasse::bOkClick() {
    if (eMotDePasse->text().isEmpty()) {
        Refuser(QStringLiteral("Saisis ton mot de passe."));
        return;
    }
    done(QDialog::Accepted);
}
