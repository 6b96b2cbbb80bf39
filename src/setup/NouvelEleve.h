#pragma once
// The new-pupil dialog: the pupil types his first name. The caller reads eUtilisateur once the
// dialog has closed itself; an empty text means cancelled.

#include "dialogs/FormeModale.h"

class QLabel;
class QLineEdit;
class QToolButton;

class TfNouvelEleve : public FormeModale {
    Q_OBJECT
public:
    explicit TfNouvelEleve(QWidget* parent, Controles controles = Controles::Immediats);

    QLabel* Label1 = nullptr;
    QLineEdit* eUtilisateur = nullptr;
    QToolButton* bOk = nullptr;
    QToolButton* bAnnuler = nullptr;

public slots:
    void bOkClick();
    void bAnnulerClick();

protected:
    void ConstruireControles() override;
    void FormActivate() override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void Refuser(const QString& message);
};
