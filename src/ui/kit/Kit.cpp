#include "ui/kit/Kit.h"

#include "core/Texte.h"
#include "ui/platform/ImagesQt.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QToolButton>

#include <algorithm>

namespace Kit {

namespace {
// One filter for every button of the program: Enter clicks the focused button, repeats of a
// held Enter or Space are swallowed.
class ClavierBouton : public QObject {
public:
    bool eventFilter(QObject* objet, QEvent* e) override {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto* cle = static_cast<QKeyEvent*>(e);
        const int touche = cle->key();
        const bool entree = touche == Qt::Key_Return || touche == Qt::Key_Enter;
        if (!entree && touche != Qt::Key_Space)
            return false;
        if (cle->isAutoRepeat())
            return true;
        if (!entree || cle->modifiers() & ~Qt::KeypadModifier)
            return false;
        auto* b = static_cast<QAbstractButton*>(objet);
        if (b->isEnabled())
            b->click();
        return true;
    }
};

// A list box's entry as its description, brought up to date when it gets the focus.
class DireEntree : public QObject {
public:
    bool eventFilter(QObject* objet, QEvent* e) override {
        if (e->type() == QEvent::FocusIn) {
            auto* liste = static_cast<QComboBox*>(objet);
            if (liste->accessibleDescription() != liste->currentText())
                liste->setAccessibleDescription(liste->currentText());
        }
        return false;
    }
};
} // namespace

void ActiverAuClavier(QAbstractButton* b) {
    static ClavierBouton* filtre = new ClavierBouton; // lives as long as the program
    b->installEventFilter(filtre);
}

QLabel* Etiquette(QWidget* parent, const char* nom, const QString& texte, const QRect& place) {
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setText(TypographieEcran(texte));
    l->setObjectName(QString::fromLatin1(nom));
    l->setAccessibleName(texte);
    l->setGeometry(place);
    return l;
}

QLabel* Valeur(QWidget* parent, const char* nom, const QRect& place, const QString& bulle) {
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setObjectName(QString::fromLatin1(nom));
    l->setGeometry(place);
    l->setAlignment(Qt::AlignCenter);
    if (!bulle.isEmpty())
        Bulle(l, bulle);
    return l;
}

QString BulleTexte(const QString& texte) {
    return texte.isEmpty() ? QString() : Qt::convertFromPlainText(texte, Qt::WhiteSpaceNormal);
}

void Bulle(QWidget* w, const QString& texte) {
    w->setToolTip(TypographieEcran(texte));
    w->setAccessibleDescription(texte);
}

QToolButton* BoutonPlat(QWidget* parent, const char* nom, const QString& texte,
                        const QRect& place) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setText(TypographieEcran(texte));
    b->setAccessibleName(texte);
    b->setGeometry(place);
    b->setFocusPolicy(Qt::TabFocus);
    b->setCursor(Qt::PointingHandCursor);
    ActiverAuClavier(b);
    return b;
}

QToolButton* BoutonImage(QWidget* parent, const char* nom, const QString& image,
                         const QString& nomAccessible, const QRect& place) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setIcon(ChargerImageRessource(image));
    b->setAccessibleName(nomAccessible);
    b->setToolTip(TypographieEcran(nomAccessible));
    b->setAutoRaise(true);
    b->setGeometry(place);
    // Reached with Tab, never taken by a click: Enter and Escape belong to the answer field and
    // the form, wherever the mouse went.
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

void NommerListe(QComboBox* liste) {
    auto* quoi = new QLabel(liste->accessibleName(), liste->parentWidget());
    quoi->setObjectName(liste->objectName() + QStringLiteral("Nom"));
    quoi->setTextFormat(Qt::PlainText);
    quoi->setBuddy(liste);
    quoi->hide();
    // Lists are often filled with their signals blocked: the focus catches up what the signal
    // missed, before the reader asks.
    static DireEntree* dire = new DireEntree; // lives as long as the program
    liste->installEventFilter(dire);
    QObject::connect(liste, &QComboBox::currentTextChanged, liste,
                     [liste](const QString& texte) { liste->setAccessibleDescription(texte); });
}

QPushButton* Bouton(QWidget* parent, const char* nom, const QString& texte, const QRect& place) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    if (!place.isNull()) // otherwise placed by a layout
        b->setGeometry(place);
    return b;
}

void Police(QWidget* w, int pixels, bool gras) {
    QFont police = w->font();
    police.setPixelSize(pixels);
    if (gras)
        police.setBold(true);
    w->setFont(police);
}

namespace {
QPalette PaletteBureau(const QWidget* w) {
    QPalette p = QApplication::palette(w);
    p.setResolveMask(~QPalette::ResolveMask(0));
    return p;
}
} // namespace

void CouleursDuBureau(QWidget* w) {
    w->setPalette(PaletteBureau(w));
}

void Colorer(QWidget* w, const QColor& texte, const QColor& texteDesactive, const QColor& fond,
             const QColor& fondDesactive) {
    QPalette p = PaletteBureau(w);
    for (const QPalette::ColorGroup groupe :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool desactive = groupe == QPalette::Disabled;
        const QColor t = desactive && texteDesactive.isValid() ? texteDesactive : texte;
        for (const QPalette::ColorRole role :
             {QPalette::ButtonText, QPalette::WindowText, QPalette::Text})
            p.setColor(groupe, role, t);
        QColor indication = t;
        indication.setAlpha((t.alpha() + 1) / 2);
        p.setColor(groupe, QPalette::PlaceholderText, indication);
        const QColor f = desactive && fondDesactive.isValid() ? fondDesactive : fond;
        if (f.isValid())
            for (const QPalette::ColorRole role :
                 {QPalette::Base, QPalette::Button, QPalette::Window})
                p.setColor(groupe, role, f);
    }
    w->setPalette(p);
}

void TailleDansLEcran(QWidget* fenetre, const QSize& voulue) {
    QSize dispo = voulue;
    if (const QScreen* ecran = fenetre->screen())
        // Room left for the window manager's frame and title.
        dispo = ecran->availableGeometry().size() - QSize(16, 40);
    fenetre->setMinimumSize(fenetre->minimumSize().boundedTo(dispo));
    fenetre->resize(voulue.boundedTo(dispo));
}

QRect DansLEcran(QRect cadre, const QScreen* ecran) {
    if (!ecran)
        return cadre;
    const QRect dispo = ecran->availableGeometry();
    cadre.moveLeft(std::clamp(cadre.left(), dispo.left(),
                              std::max(dispo.left(), dispo.right() + 1 - cadre.width())));
    cadre.moveTop(std::clamp(cadre.top(), dispo.top(),
                             std::max(dispo.top(), dispo.bottom() + 1 - cadre.height())));
    return cadre;
}

} // namespace Kit
