#include "MotDePasse.h"

TfMotDePasse::TfMotDePasse(QWidget* parent)
    : FormeModale(parent, QStringLiteral("fMotDePasse"), QStringLiteral("Mot de passe")) {
    SansBoutonsDeTitre();
    FixerTaille(260, 110);
    FondBleuCiel();
}
