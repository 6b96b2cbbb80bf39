#include "ui/dialogs/DialogueAppreciation.h"

#include "core/Echelle.h"
#include "core/Palette.h"
#include "core/Texte.h"
#include "ui/dialogs/RoleAlerte.h"
#include "ui/kit/Kit.h"
#include "ui/kit/Lecture.h"
#include "ui/platform/ImagesQt.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
// The exercise draws its answer, its model and its buttons' captions 20 to 32 pixels high: the
// message is read at the same size.
constexpr int police = 20;
constexpr int marge = 20;
constexpr int ecart = 12;
constexpr int coteVisage = 64;
constexpr QSize tailleOk{120, 48};
constexpr int largeurMini = 320;
// Never wider than the exercise window it stands on: a longer sentence wraps.
constexpr int largeurTexteMaxi = int(TailleFenetreExercice.width()) - 2 * marge - 40;

// The colours are the palette's, whose contrast is checked.
const QString StyleOk =
    QStringLiteral("QPushButton { background: %1; border: 2px solid #5b8fd6; border-radius: 10px;"
                   " color: %2; font-size: 20px; font-weight: bold; }"
                   "QPushButton:hover { background: %3; }"
                   "QPushButton:pressed { background: %4; }"
                   "QPushButton:default { border-color: %2; border-width: 3px; }"
                   "QPushButton:focus { background: %5; }")
        .arg(NomCss(Couleurs::Blanc), NomCss(Couleurs::BleuLegende), NomCss(Couleurs::Survol),
             NomCss(Couleurs::Enfonce), NomCss(Couleurs::Focus));

QLabel* Texte(QWidget* parent, const char* nom, bool gras) {
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setObjectName(QString::fromLatin1(nom));
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setWordWrap(true);
    Kit::Police(l, police, gras);
    Kit::Colorer(l, QColor(QRgb(Couleurs::Encre)));
    return l;
}

// A face from the pictures stored with the forms, at the finest resolution the enlarged size
// needs on this screen.
QLabel* Visage(QWidget* parent, const char* nom, const QString& image, const QString& dit) {
    auto* l = new QLabel(parent);
    l->setTextFormat(Qt::PlainText);
    l->setObjectName(QString::fromLatin1(nom));
    l->resize(coteVisage, coteVisage);
    l->setAlignment(Qt::AlignCenter);
    const qreal fois = coteVisage / 32.0;
    l->setPixmap(
        ImageDansLeCadre(ChargerImage(RessourcePourRatio(image, RatioDesFenetres() * fois)), l));
    l->setAccessibleName(dit);
    return l;
}

// The width a text takes on one line in this label's type.
int LargeurNaturelle(const QLabel* l) {
    return l->fontMetrics().horizontalAdvance(l->text());
}
} // namespace

DialogueAppreciation::DialogueAppreciation(QWidget* parent, Controles controles)
    : FormeModale(parent, QStringLiteral("fMessagePerso"), QStringLiteral("Plumelune")) {
    InstallerRoleAlerte();
    SansBoutonsDeTitre();
    FixerTaille(largeurMini, 2 * marge + coteVisage + tailleOk.height());
    FondBleuCiel();
    TerminerCreation(controles);
}

void DialogueAppreciation::ConstruireControles() {
    lTexte = Texte(this, "lTexte", false);
    lIndice = Texte(this, "lIndice", true);
    Kit::Colorer(lIndice, QColor(QRgb(Couleurs::BleuLegende)));
    lIndice->hide();
    iBon = Visage(this, "iBon", QStringLiteral(":/art/bon.png"), QStringLiteral("Bravo"));
    iPasBon = Visage(this, "iPasBon", QStringLiteral(":/art/pasbon.png"),
                     QStringLiteral("Ce n'est pas ça"));
    bOk = Kit::Bouton(this, "bOk", QStringLiteral("Ok"), QRect(QPoint(0, 0), tailleOk));
    bOk->setStyleSheet(StyleOk);
    bOk->setDefault(true);
    // Enter held down after an answer must not close the message before it is read.
    Kit::ActiverAuClavier(bOk);
    connect(bOk, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
}

void DialogueAppreciation::Disposer() {
    Construire();
    // High contrast: the texts on white, where their blues read at 7:1 or more.
    Lecture::FondDeFenetre(this);
    lTexte->setText(TypographieEcran(TexteMessage));
    lTexte->setAccessibleName(TexteMessage);
    lIndice->setText(TypographieEcran(Indice));
    lIndice->setAccessibleName(Indice);
    const bool indice = !Indice.isEmpty();
    // The alert is read by its sentence, then its hint.
    setAccessibleName(indice ? TexteMessage + u'\n' + Indice : TexteMessage);
    int large = LargeurNaturelle(lTexte);
    if (indice)
        large = std::max(large, LargeurNaturelle(lIndice));
    // A hair more than the text, or the label's own rounding could wrap its last word.
    large = std::min(large + 4, largeurTexteMaxi);
    // The outer width counts the frame; the client area is what is left inside it.
    const int cadre = std::max(0, frameGeometry().width() - geometry().width());
    const int largeur = std::max(large + 2 * marge, largeurMini);
    const int gauche = (largeur - large) / 2;
    int y = marge;
    lTexte->setGeometry(gauche, y, large, lTexte->heightForWidth(large));
    y += lTexte->height();
    lIndice->setVisible(indice);
    if (indice) {
        y += ecart / 2;
        lIndice->setGeometry(gauche, y, large, lIndice->heightForWidth(large));
        y += lIndice->height();
    }
    y += ecart;
    const int milieu = largeur / 2;
    for (QLabel* visage : {iBon, iPasBon})
        visage->move(milieu - visage->width() / 2, y);
    y += coteVisage + ecart;
    bOk->move(milieu - bOk->width() / 2, y);
    y += bOk->height() + marge;
    FixerTaille(largeur - cadre, y);
    const bool bon = TypeMessage == u"Bon";
    iBon->setVisible(bon);
    iPasBon->setVisible(!bon);
}

void DialogueAppreciation::setVisible(bool visible) {
    if (visible && !isVisible())
        Disposer();
    FormeModale::setVisible(visible);
}

void DialogueAppreciation::FormActivate() {
    Disposer();
    AnnoncerAlerte(this);
    bOk->setFocus();
}

// Its one button is its one way out.
void DialogueAppreciation::FermetureDeLaFenetre() {
    bOk->click();
}

void DialogueAppreciation::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        if (!e->isAutoRepeat())
            bOk->click();
        return;
    }
    FormeModale::keyPressEvent(e);
}
