#include "ui/kit/Lecture.h"

#include "core/Etat.h"
#include "ui/kit/Kit.h"
#include "ui/platform/Polices.h"

#include <QPalette>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace Lecture {

namespace {
// Where a control's own letters are kept while it shows the reading ones.
constexpr char ProprietePolice[] = "policeHabituelle";
constexpr char ProprietePalette[] = "paletteHabituelle";
} // namespace

MiseEnPageLecture MiseEnPage() {
    const MiseEnPageLecture m = MiseEnPagePour(Etat.Lecture().Police);
    if (m.Famille.isEmpty() || !PoliceDisponible(m.Famille))
        return {};
    return m;
}

bool ContrasteFort() {
    return Etat.Lecture().Contraste == ContrasteLecture::Fort;
}

QColor Couleur(CouleurRgb rgb) {
    return QColor::fromRgb(QRgb(0xff000000u | rgb));
}

QFont Police(const QFont& habituelle) {
    const MiseEnPageLecture m = MiseEnPage();
    if (m.Famille.isEmpty())
        return habituelle;
    QFont f = habituelle;
    f.setFamilies({m.Famille});
    f.setLetterSpacing(QFont::PercentageSpacing, m.EspacementLettres);
    return f;
}

void Police(QWidget* w) {
    const QVariant gardee = w->property(ProprietePolice);
    if (!gardee.isValid()) {
        if (Etat.Lecture().Police == PoliceLecture::Standard)
            return; // never changed: nothing to do, nothing to load
        w->setProperty(ProprietePolice, w->font());
    }
    w->setFont(Police(w->property(ProprietePolice).value<QFont>()));
}

void Contraste(QWidget* w, bool grise, bool fondBlanc) {
    if (!ContrasteFort()) {
        const QVariant gardee = w->property(ProprietePalette);
        if (gardee.isValid())
            w->setPalette(gardee.value<QPalette>());
        return;
    }
    if (!w->property(ProprietePalette).isValid())
        w->setProperty(ProprietePalette, w->palette());
    const CouleursLecture& c = CouleursContrasteFort();
    const QColor fond = fondBlanc ? Couleur(c.Fond) : QColor();
    Kit::Colorer(w, Couleur(c.Texte), Couleur(grise ? c.TexteDesactive : c.Texte), fond, fond);
}

void FondDeFenetre(QWidget* fenetre) {
    const bool fort = ContrasteFort();
    if (!fort && fenetre->palette().color(QPalette::Window) == Kit::BleuCiel)
        return;
    QPalette p = fenetre->palette();
    p.setColor(QPalette::Window, fort ? Couleur(CouleursContrasteFort().Fond) : Kit::BleuCiel);
    fenetre->setPalette(p);
}

void Interligner(QPlainTextEdit* texte) {
    const double interligne = MiseEnPage().Interligne;
    if (interligne == 100 && !texte->property(ProprietePolice).isValid())
        return;
    QTextCursor c(texte->document());
    c.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setLineHeight(interligne, QTextBlockFormat::ProportionalHeight);
    c.mergeBlockFormat(format);
}

} // namespace Lecture
