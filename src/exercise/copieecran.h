#pragma once

#include "dialogs/FormeModale.h"

class TCPEcr : public FormeModale {
    Q_OBJECT
public:
    explicit TCPEcr(QWidget* parent);
};
