#include "Bilans.h"

TfBilans::TfBilans(QWidget* parent)
    : FormeModale(parent, QStringLiteral("fBilans"), QStringLiteral("Bilan")) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    FixerTaille(637, 436);
    FondBleuCiel();
}
