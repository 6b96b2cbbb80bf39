#pragma once
// The accent help: one picture explaining how to type the accented letters on a French
// keyboard, in an ordinary window the pupil may enlarge and closes himself.

#include "ui/dialogs/FormeModale.h"

class QLabel;

class FenetreAideAccents : public FormeModale {
    Q_OBJECT
public:
    explicit FenetreAideAccents(QWidget* parent);

    QLabel* iAccents = nullptr;

protected:
    void FormShow() override;
    // Unlike the program's other forms, Escape closes this one, like its close button.
    void keyPressEvent(QKeyEvent* e) override;
};
