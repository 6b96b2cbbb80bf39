#include "ChoixNbItems.h"

TfChoixNbItems::TfChoixNbItems(QWidget* parent)
    : FormeModale(parent, QStringLiteral("fChoixNbItems"), QStringLiteral("Choix nombre d'items")) {
    SansBoutonsDeTitre();
    FixerTaille(254, 364);
    FondBleuCiel();
}
