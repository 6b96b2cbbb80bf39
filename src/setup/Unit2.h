#pragma once

#include "dialogs/FormeModale.h"

class TForm2 : public FormeModale {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent);
};
