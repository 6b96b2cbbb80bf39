#include "copieecran.h"

TCPEcr::TCPEcr(QWidget* parent)
    : FormeModale(parent, QStringLiteral("CPEcr"), QStringLiteral("Aide")) {
    resize(384, 311);
}
