#include "ui/setup/DialogueSaisie.h"

#include "core/Services.h"
#include "ui/kit/Kit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

QLineEdit* DialogueSaisie::ConstruireSaisie(const char* nomChamp, const QString& etiquette,
                                            const QString& nomAccessible,
                                            const QString& styleEnPlus) {
    setStyleSheet(Kit::StyleBoutons + Kit::StyleChamp + styleEnPlus);
    lLibelle = Kit::Etiquette(this, "Label1", etiquette, QRect(14, 6, 232, 22));
    lLibelle->setStyleSheet(Kit::StyleTitre);
    m_champ = new QLineEdit(this);
    m_champ->setObjectName(QString::fromLatin1(nomChamp));
    m_champ->setAccessibleName(nomAccessible);
    m_champ->setGeometry(14, 30, 232, 32);
    lLibelle->setBuddy(m_champ);
    m_champ->installEventFilter(this);
    bOk = Kit::BoutonPlat(this, "bOk", QStringLiteral("Valider"), QRect(30, 72, 96, 30));
    bAnnuler = Kit::BoutonPlat(this, "bAnnuler", QStringLiteral("Annuler"), QRect(134, 72, 96, 30));
    setTabOrder(m_champ, bOk);
    setTabOrder(bOk, bAnnuler);
    connect(bOk, &QToolButton::clicked, this, &DialogueSaisie::bOkClick);
    connect(bAnnuler, &QToolButton::clicked, this, &DialogueSaisie::bAnnulerClick);
    return m_champ;
}

void DialogueSaisie::FormActivate() {
    m_champ->clear();
    m_champ->setFocus();
}

void DialogueSaisie::Refuser(const QString& message) {
    Services::Messages().Message(message);
    m_champ->setFocus();
}

// Closed by the window manager: "Annuler", so nothing typed is taken, even a text "Valider"
// refused a moment ago.
void DialogueSaisie::FermetureDeLaFenetre() {
    bAnnulerClick();
}

void DialogueSaisie::bAnnulerClick() {
    m_champ->clear();
    done(QDialog::Rejected);
}

bool DialogueSaisie::eventFilter(QObject* objet, QEvent* e) {
    if (objet == m_champ && e->type() == QEvent::KeyPress) {
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

// Escape is "Annuler" wherever the focus is, a button reached with Tab included.
void DialogueSaisie::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && !e->isAutoRepeat()) {
        bAnnulerClick();
        return;
    }
    FormeModale::keyPressEvent(e);
}
