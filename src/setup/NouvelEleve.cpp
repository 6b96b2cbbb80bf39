#include "NouvelEleve.h"

TfNouvelEleve::TfNouvelEleve(QWidget* parent)
    : FormeModale(parent, QStringLiteral("fNouvelEleve"), QStringLiteral("Nouvel élève")) {
    SansBoutonsDeTitre();
    FixerTaille(260, 110);
    FondBleuCiel();
}
