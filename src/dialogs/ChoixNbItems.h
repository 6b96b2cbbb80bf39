#pragma once
// How many items of the folder the pupil wants to work on: a few at random, or all of them.

#include "dialogs/FormeModale.h"

class QLabel;
class QPushButton;
class QRadioButton;

class TfChoixNbItems : public FormeModale {
    Q_OBJECT
public:
    explicit TfChoixNbItems(QWidget* parent, Controles controles = Controles::Immediats);

    QRadioButton* rChoix1 = nullptr;
    QRadioButton* rChoix2 = nullptr;
    QRadioButton* rChoix3 = nullptr;
    QRadioButton* rChoix5 = nullptr;
    QRadioButton* rChoix6 = nullptr;
    QRadioButton* rChoix7 = nullptr;
    QRadioButton* rChoix8 = nullptr;
    QLabel* Label1 = nullptr;
    QRadioButton* rChoix4 = nullptr;
    QLabel* lInfo = nullptr;
    QPushButton* bOk = nullptr;

public slots:
    void bOkClick();

protected:
    void ConstruireControles() override;
    void FormActivate() override;

private:
    // The counted choices, top to bottom, paired with NombresProposes.
    QRadioButton* Choix(int rang) const;
};
