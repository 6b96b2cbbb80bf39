#pragma once
// The start form: who is working (group, pupil) and which exercise folder.

#include "dialogs/FormeModale.h"

class QComboBox;

class TForm2 : public FormeModale {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent);

    // Other forms read their current texts (the report form preselects from them).
    QComboBox* cChoixGroupe = nullptr;
    QComboBox* cChoixUtilisateur = nullptr;
};
