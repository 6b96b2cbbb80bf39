#pragma once
// The password dialog, for a pupil's password (asked or chosen) and the teacher's. The caller
// sets the caption, shows it, then reads eMotDePasse; an empty text means cancelled.

#include "dialogs/FormeModale.h"

class QLabel;
class QLineEdit;
class QToolButton;

class TfMotDePasse : public FormeModale {
    Q_OBJECT
public:
    explicit TfMotDePasse(QWidget* parent, Controles controles = Controles::Immediats);

    QLabel* Label1 = nullptr;
    QLineEdit* eMotDePasse = nullptr;
    QToolButton* bOk = nullptr;
    QToolButton* bAnnuler = nullptr;

public slots:
    void bOkClick();
    void bAnnulerClick();

protected:
    void ConstruireControles() override;
    void FormActivate() override;
    bool eventFilter(QObject* objet, QEvent* e) override;
};
