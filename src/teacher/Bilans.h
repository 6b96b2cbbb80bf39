#pragma once

#include "dialogs/FormeModale.h"

class TfBilans : public FormeModale {
    Q_OBJECT
public:
    explicit TfBilans(QWidget* parent);
};
