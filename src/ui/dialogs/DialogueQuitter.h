#pragma once
// The three ways out of an exercise: another exercise, the end of the program, or back to work.

#include "ui/dialogs/FormeModale.h"

class QPushButton;

class DialogueQuitter : public FormeModale {
    Q_OBJECT
public:
    explicit DialogueQuitter(QWidget* parent, Controles controles = Controles::Immediats);

    QPushButton* bNouvelExo = nullptr;
    QPushButton* bQuitter = nullptr;
    QPushButton* bAnnuler = nullptr;

    // Stops the item clock and writes that the exercise was left unfinished.
    void EnregistrerInterruption();

public slots:
    void bNouvelExoClick();
    void bQuitterClick();
    void bAnnulerClick();

protected:
    void ConstruireControles() override;
    void FormActivate() override;

private:
    // A second click queued behind the first must not record the interruption twice.
    bool m_enCours = false;
};
