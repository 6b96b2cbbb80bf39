#include "Quitter.h"

TfQuitter::TfQuitter(QWidget* parent)
    : FormeModale(parent, QStringLiteral("fQuitter"), QStringLiteral("Quitter")) {
    SansBoutonsDeTitre();
    FixerTaille(290, 48);
    FondBleuCiel();
}
