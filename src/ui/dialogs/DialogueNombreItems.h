#pragma once
// How many items of the folder the pupil wants to work on: a few at random, or all of them.

#include "ui/dialogs/FormeModale.h"

class QLabel;
class QPushButton;
class QRadioButton;

class DialogueNombreItems : public FormeModale {
    Q_OBJECT
public:
    explicit DialogueNombreItems(QWidget* parent, Controles controles = Controles::Immediats);

    QRadioButton* r4Items = nullptr;
    QRadioButton* r10Items = nullptr;
    QRadioButton* r20Items = nullptr;
    QRadioButton* r40Items = nullptr;
    QRadioButton* r60Items = nullptr;
    QRadioButton* r80Items = nullptr;
    QRadioButton* r100Items = nullptr;
    QLabel* lTousLesItems = nullptr;
    QRadioButton* rTousLesItems = nullptr;
    QLabel* lInfo = nullptr;
    QPushButton* bOk = nullptr;

public slots:
    void bOkClick();

protected:
    void ConstruireControles() override;
    void FormActivate() override;
    void FermetureDeLaFenetre() override;

private:
    // The counted choices, top to bottom, paired with NombresProposes.
    QRadioButton* Choix(int rang) const;
};
