#pragma once
// The new-pupil dialog: the pupil types his first name. The caller reads eUtilisateur once the
// dialog has closed itself; an empty text means cancelled.

#include "ui/setup/DialogueSaisie.h"

class QLineEdit;

class DialogueNouvelEleve : public DialogueSaisie {
    Q_OBJECT
public:
    explicit DialogueNouvelEleve(QWidget* parent, Controles controles = Controles::Immediats);

    QLineEdit* eUtilisateur = nullptr;
    // The entries of the pupil list it is opened from: a name among them is refused.
    QStringList NomsPris;

public slots:
    void bOkClick() override;

protected:
    void ConstruireControles() override;
};
