#pragma once
// The short message with a face shown after every answer; it sizes itself to its text.

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

    QLabel* lTexte = nullptr;
    QLabel* iBon = nullptr;
    QLabel* iPasBon = nullptr;
    QPushButton* bOk = nullptr;

protected:
    void ConstruireControles() override;
    void FormActivate() override;
    void FermetureDeLaFenetre() override;
};
