#pragma once
// The short message with a face shown after every answer, and the hint of a first wrong answer
// under it. It is read by the pupil who reads the exercise: its type, face and button are drawn
// at the exercise's own sizes, and it sizes itself to its text, never wider than the exercise.

#include "ui/dialogs/FormeModale.h"

class QLabel;
class QPushButton;

class DialogueAppreciation : public FormeModale {
    Q_OBJECT
public:
    explicit DialogueAppreciation(QWidget* parent, Controles controles = Controles::Immediats);

    // Set by the caller before each showing; kept from one showing to the next.
    QString TexteMessage;
    QString TypeMessage; // "Bon" for a right answer, anything else for a wrong one
    QString Indice;      // under the message; empty: none

    QLabel* lTexte = nullptr;
    QLabel* lIndice = nullptr;
    QLabel* iBon = nullptr;
    QLabel* iPasBon = nullptr;
    QPushButton* bOk = nullptr;

    void setVisible(bool visible) override;

protected:
    void ConstruireControles() override;
    void FormActivate() override;
    void FermetureDeLaFenetre() override;
    // Escape answers it as Ok does: the box has only the one answer.
    void keyPressEvent(QKeyEvent* e) override;

private:
    // The texts, the face and the size for the message set; before the box is placed, so that
    // it is centred at its own size.
    void Disposer();
};
