#pragma once

#include "dialogs/FormeModale.h"

class TfMotDePasse : public FormeModale {
    Q_OBJECT
public:
    explicit TfMotDePasse(QWidget* parent);
};
