#pragma once
// The password dialog, for a pupil's password (asked or chosen) and the teacher's. The caller
// sets the caption, shows it, then reads eMotDePasse; an empty text means cancelled.

#include "ui/setup/DialogueSaisie.h"

class QLineEdit;

class DialogueMotDePasse : public DialogueSaisie {
    Q_OBJECT
public:
    explicit DialogueMotDePasse(QWidget* parent, Controles controles = Controles::Immediats);

    QLineEdit* eMotDePasse = nullptr;

public slots:
    void bOkClick() override;

protected:
    void ConstruireControles() override;
};
