#include "ui/dialogs/DialogueNombreItems.h"

#include "core/Etat.h"
#include "core/exercise/TirageItems.h"
#include "ui/kit/Kit.h"
#include "ui/kit/PoliceResserree.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace {

// The progress sentences are separated by a lone CR, which a Qt label draws as a blank: this
// one breaks the line there, and keeps its text as it was given.
class EtiquetteLignes : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QString t = text();
        t.replace(u'\r', u'\n');
        style()->drawItemText(&p, contentsRect(), int(alignment()) | Qt::TextWordWrap, palette(),
                              isEnabled(), t, foregroundRole());
    }
};

QRadioButton* Bouton(QWidget* parent, QButtonGroup* groupe, const char* nom, const QString& texte,
                     int haut) {
    auto* r = new QRadioButton(texte, parent);
    r->setObjectName(QString::fromLatin1(nom));
    QFont police = r->font();
    police.setPixelSize(19);
    r->setFont(police);
    r->setGeometry(12, haut, 238, 27);
    groupe->addButton(r);
    return r;
}

} // namespace

DialogueNombreItems::DialogueNombreItems(QWidget* parent, Controles controles)
    : FormeModale(parent, QStringLiteral("fChoixNbItems"), QStringLiteral("Choix nombre d'items")) {
    SansBoutonsDeTitre();
    FixerTaille(254, 364);
    FondBleuCiel();
    TerminerCreation(controles);
}

void DialogueNombreItems::ConstruireControles() {

    auto* groupe = new QButtonGroup(this);
    groupe->setExclusive(true);
    r4Items = Bouton(this, groupe, "rChoix1", QStringLiteral("4 items (20 points)"), 8);
    r10Items = Bouton(this, groupe, "rChoix2", QStringLiteral("10 items (50 points)"), 36);
    r20Items = Bouton(this, groupe, "rChoix3", QStringLiteral("20 items (100 points)"), 64);
    r40Items = Bouton(this, groupe, "rChoix5", QStringLiteral("40 items (200 points)"), 92);
    r60Items = Bouton(this, groupe, "rChoix6", QStringLiteral("60 items (300 points)"), 120);
    r80Items = Bouton(this, groupe, "rChoix7", QStringLiteral("80 items (400 points)"), 148);
    r100Items = Bouton(this, groupe, "rChoix8", QStringLiteral("100 items (500 points)"), 176);

    lTousLesItems =
        Kit::Etiquette(this, "Label1", QStringLiteral("TOUS LES ITEMS"), QRect(10, 210, 234, 20));
    lTousLesItems->setAlignment(Qt::AlignCenter);
    Kit::Police(lTousLesItems, 14, true);

    rTousLesItems = Bouton(this, groupe, "rChoix4", QStringLiteral("Tous les items"), 232);
    // "100 items (500 points)" in large type in a narrow form.
    ResserrerPolices(
        {r4Items, r10Items, r20Items, r40Items, r60Items, r80Items, r100Items, rTousLesItems});

    lInfo = new EtiquetteLignes(this);
    lInfo->setObjectName(QStringLiteral("lInfo"));
    lInfo->setGeometry(10, 266, 233, 43);
    lInfo->setAlignment(Qt::AlignCenter);
    lInfo->setWordWrap(true);
    // A deep red: the plain red of the design is hard to read on sky blue.
    QPalette rouge = lInfo->palette();
    rouge.setColor(QPalette::WindowText, QColor(0xa0, 0, 0));
    lInfo->setPalette(rouge);

    bOk = Kit::Bouton(this, "bOk", QStringLiteral("Ok"), QRect(87, 320, 80, 32));
    bOk->setDefault(true);
    Kit::ActiverAuClavier(bOk);
    connect(bOk, &QPushButton::clicked, this, &DialogueNombreItems::bOkClick);
}

QRadioButton* DialogueNombreItems::Choix(int rang) const {
    QRadioButton* const choix[] = {r4Items,  r10Items, r20Items, r40Items,
                                   r60Items, r80Items, r100Items};
    return choix[rang];
}

void DialogueNombreItems::FormActivate() {
    rTousLesItems->setText(LibelleNombreItems(Etat.Exercice.NbItems()));
    rTousLesItems->setFont(r4Items->font());
    ResserrerPolices({rTousLesItems}); // a folder of thousands of items has a longer caption
    lInfo->setText(TexteProgression(Etat.NomEleve, Etat.Exercice.NbItemsDossier(),
                                    Etat.Exercice.NbItems(), Etat.NbItemsDejaReussis));
    for (int rang = 0; rang < int(std::size(NombresProposes)); ++rang)
        Choix(rang)->setEnabled(ChoixPossible(NombresProposes[rang], Etat.Exercice.NbItems()));
    rTousLesItems->setChecked(true);
    bOk->setFocus();
}

void DialogueNombreItems::bOkClick() {
    int nombre = Etat.Exercice.NbItems();
    for (int rang = 0; rang < int(std::size(NombresProposes)); ++rang)
        if (Choix(rang)->isChecked() && Choix(rang)->isEnabled())
            nombre = NombresProposes[rang];
    Etat.Exercice.GarderItemsTires(nombre);
    done(QDialog::Accepted);
}

// Its one button is its one way out: the choice shown is the choice made.
void DialogueNombreItems::FermetureDeLaFenetre() {
    bOkClick();
}
