#pragma once
// The accent help: one picture explaining how to type the accented letters on a French
// keyboard, in an ordinary window the pupil may enlarge and closes himself.

#include "dialogs/FormeModale.h"

class QLabel;

class TCPEcr : public FormeModale {
    Q_OBJECT
public:
    explicit TCPEcr(QWidget* parent);

    QLabel* Image1 = nullptr;

protected:
    void FormShow() override;
    // Unlike the program's other forms, Escape closes this one, like its close button.
    void keyPressEvent(QKeyEvent* e) override;
};
