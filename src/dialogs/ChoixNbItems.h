#pragma once

#include "dialogs/FormeModale.h"

class TfChoixNbItems : public FormeModale {
    Q_OBJECT
public:
    explicit TfChoixNbItems(QWidget* parent);
};
