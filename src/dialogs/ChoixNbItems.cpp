#include "ChoixNbItems.h"

#include "PoliceResserree.h"
#include "TirageItems.h"
#include "core/Etat.h"

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

TfChoixNbItems::TfChoixNbItems(QWidget* parent, Controles controles)
    : FormeModale(parent, QStringLiteral("fChoixNbItems"), QStringLiteral("Choix nombre d'items")) {
    SansBoutonsDeTitre();
    FixerTaille(254, 364);
    FondBleuCiel();
    TerminerCreation(controles);
}

void TfChoixNbItems::ConstruireControles() {

    auto* groupe = new QButtonGroup(this);
    groupe->setExclusive(true);
    rChoix1 = Bouton(this, groupe, "rChoix1", QStringLiteral("4 items (20 points)"), 8);
    rChoix2 = Bouton(this, groupe, "rChoix2", QStringLiteral("10 items (50 points)"), 36);
    rChoix3 = Bouton(this, groupe, "rChoix3", QStringLiteral("20 items (100 points)"), 64);
    rChoix5 = Bouton(this, groupe, "rChoix5", QStringLiteral("40 items (200 points)"), 92);
    rChoix6 = Bouton(this, groupe, "rChoix6", QStringLiteral("60 items (300 points)"), 120);
    rChoix7 = Bouton(this, groupe, "rChoix7", QStringLiteral("80 items (400 points)"), 148);
    rChoix8 = Bouton(this, groupe, "rChoix8", QStringLiteral("100 items (500 points)"), 176);

    Label1 = new QLabel(QStringLiteral("TOUS LES ITEMS"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(10, 210, 234, 20);
    Label1->setAlignment(Qt::AlignCenter);
    QFont titre = Label1->font();
    titre.setPixelSize(14);
    titre.setBold(true);
    Label1->setFont(titre);

    rChoix4 = Bouton(this, groupe, "rChoix4", QStringLiteral("Tous les items"), 232);
    // "100 items (500 points)" in large type in a narrow form.
    ResserrerPolices({rChoix1, rChoix2, rChoix3, rChoix5, rChoix6, rChoix7, rChoix8, rChoix4});

    lInfo = new EtiquetteLignes(this);
    lInfo->setObjectName(QStringLiteral("lInfo"));
    lInfo->setGeometry(10, 266, 233, 43);
    lInfo->setAlignment(Qt::AlignCenter);
    lInfo->setWordWrap(true);
    // A deep red: the plain red of the design is hard to read on sky blue.
    QPalette rouge = lInfo->palette();
    rouge.setColor(QPalette::WindowText, QColor(0xa0, 0, 0));
    lInfo->setPalette(rouge);

    bOk = new QPushButton(QStringLiteral("Ok"), this);
    bOk->setObjectName(QStringLiteral("bOk"));
    bOk->setGeometry(87, 320, 80, 32);
    bOk->setDefault(true);
    connect(bOk, &QPushButton::clicked, this, &TfChoixNbItems::bOkClick);
}

QRadioButton* TfChoixNbItems::Choix(int rang) const {
    QRadioButton* const choix[] = {rChoix1, rChoix2, rChoix3, rChoix5, rChoix6, rChoix7, rChoix8};
    return choix[rang];
}

void TfChoixNbItems::FormActivate() {
    rChoix4->setText(LibelleNombreItems(Etat.NbItems));
    rChoix4->setFont(rChoix1->font());
    ResserrerPolices({rChoix4}); // a folder of thousands of items has a longer caption
    lInfo->setText(TexteProgression(Etat.NomEleve, Etat.NbItemsDossier, Etat.NbItems,
                                    Etat.NbItemsDejaReussis));
    for (int rang = 0; rang < int(std::size(NombresProposes)); ++rang)
        Choix(rang)->setEnabled(ChoixPossible(NombresProposes[rang], Etat.NbItems));
    rChoix4->setChecked(true);
    bOk->setFocus();
}

void TfChoixNbItems::bOkClick() {
    int nombre = Etat.NbItems;
    for (int rang = 0; rang < int(std::size(NombresProposes)); ++rang)
        if (Choix(rang)->isChecked() && Choix(rang)->isEnabled())
            nombre = NombresProposes[rang];
    GarderItemsTires(nombre);
    done(QDialog::Accepted);
}
