#pragma once

#include "dialogs/FormeModale.h"

class TfQuitter : public FormeModale {
    Q_OBJECT
public:
    explicit TfQuitter(QWidget* parent);
};
