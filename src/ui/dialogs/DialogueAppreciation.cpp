#include "ui/dialogs/DialogueAppreciation.h"

#include "core/Texte.h"
#include "ui/kit/Kit.h"
#include "ui/platform/ImagesQt.h"

#include <QLabel>
#include <QPushButton>

namespace {
constexpr int hauteur = 93;
constexpr int largeurMini = 153;
} // namespace

DialogueAppreciation::DialogueAppreciation(QWidget* parent, Controles controles)
    : FormeModale(parent, QStringLiteral("fMessagePerso"), QStringLiteral("Plumelune")) {
    SansBoutonsDeTitre();
    FixerTaille(169, hauteur);
    FondBleuCiel();
    QFont police = font();
    police.setPixelSize(11);
    setFont(police);
    TerminerCreation(controles);
}

void DialogueAppreciation::ConstruireControles() {

    lTexte = new QLabel(this);
    lTexte->setTextFormat(Qt::PlainText);
    lTexte->setObjectName(QStringLiteral("lTexte"));
    lTexte->move(8, 8);
    iBon = new QLabel(this);
    iBon->setTextFormat(Qt::PlainText);
    iBon->setObjectName(QStringLiteral("iBon"));
    iBon->setGeometry(70, 26, 33, 32);
    iBon->setPixmap(ChargerImageRessource(QStringLiteral(":/art/bon.png")));
    iBon->setAccessibleName(QStringLiteral("Bravo"));
    iPasBon = new QLabel(this);
    iPasBon->setTextFormat(Qt::PlainText);
    iPasBon->setObjectName(QStringLiteral("iPasBon"));
    iPasBon->setGeometry(70, 26, 32, 32);
    iPasBon->setAlignment(Qt::AlignCenter);
    iPasBon->setPixmap(ChargerImageRessource(QStringLiteral(":/art/pasbon.png")));
    iPasBon->setAccessibleName(QStringLiteral("Ce n'est pas ça"));
    bOk = Kit::Bouton(this, "bOk", QStringLiteral("Ok"), QRect(66, 63, 40, 27));
    bOk->setDefault(true);
    // Enter held down after an answer must not close the message before it is read.
    Kit::ActiverAuClavier(bOk);
    connect(bOk, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
}

void DialogueAppreciation::FormActivate() {
    lTexte->setText(TypographieEcran(TexteMessage));
    lTexte->adjustSize();
    // The outer width counts the frame; the client area is what is left inside it.
    const int cadre = std::max(0, frameGeometry().width() - geometry().width());
    const int largeur = std::max(lTexte->width() + 20, largeurMini);
    FixerTaille(largeur - cadre, hauteur);
    const int milieu = largeur / 2;
    for (QWidget* w :
         {static_cast<QWidget*>(iBon), static_cast<QWidget*>(iPasBon), static_cast<QWidget*>(bOk)})
        w->move(milieu - w->width() / 2, w->y());
    const bool bon = TypeMessage == u"Bon";
    iBon->setVisible(bon);
    iPasBon->setVisible(!bon);
    bOk->setFocus();
}

// Its one button is its one way out.
void DialogueAppreciation::FermetureDeLaFenetre() {
    bOk->click();
}
