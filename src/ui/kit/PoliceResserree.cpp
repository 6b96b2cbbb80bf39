#include "ui/kit/PoliceResserree.h"

#include <QAbstractButton>

void ResserrerPolices(const QList<QAbstractButton*>& boutons) {
    if (boutons.isEmpty())
        return;
    const int depart = boutons.first()->font().stretch();
    for (int etirement : {100, 90, 80, 72}) {
        if (depart != QFont::AnyStretch && etirement > depart)
            continue; // never wider than the buttons already are
        bool tousTiennent = true;
        for (QAbstractButton* b : boutons) {
            QFont police = b->font();
            police.setStretch(etirement);
            b->setFont(police);
            tousTiennent = tousTiennent && b->sizeHint().width() <= b->width();
        }
        if (tousTiennent)
            return;
    }
}
