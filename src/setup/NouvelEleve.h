#pragma once

#include "dialogs/FormeModale.h"

class TfNouvelEleve : public FormeModale {
    Q_OBJECT
public:
    explicit TfNouvelEleve(QWidget* parent);
};
