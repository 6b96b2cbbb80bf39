#pragma once
// The three ways out of an exercise: another exercise, the end of the program, or back to work.
// The dialog only says which; the exercise window records the interruption and acts.

#include "ui/dialogs/FormeModale.h"

class QPushButton;

class DialogueQuitter : public FormeModale {
    Q_OBJECT
public:
    // What the modal showing returns.
    enum Choix { ChoixAnnuler = QDialog::Rejected, ChoixNouvelExercice = 2, ChoixQuitter = 3 };

    explicit DialogueQuitter(QWidget* parent, Controles controles = Controles::Immediats);

    QPushButton* bNouvelExo = nullptr;
    QPushButton* bQuitter = nullptr;
    QPushButton* bAnnuler = nullptr;

public slots:
    void bNouvelExoClick();
    void bQuitterClick();
    void bAnnulerClick();

protected:
    void ConstruireControles() override;
    void FormActivate() override;
    void FermetureDeLaFenetre() override;
};
