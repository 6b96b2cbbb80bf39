#pragma once
// A small dialog with one field, "Valider" and "Annuler": the new-pupil and password dialogs.
// Each activation empties the field; Enter validates, Escape cancels; "Annuler" empties the
// field, so the caller reads an empty text as cancelled.

#include "ui/dialogs/FormeModale.h"

class QLabel;
class QLineEdit;
class QToolButton;

class DialogueSaisie : public FormeModale {
    Q_OBJECT
public:
    using FormeModale::FormeModale;

    QLabel* lLibelle = nullptr;
    QToolButton* bOk = nullptr;
    QToolButton* bAnnuler = nullptr;

public slots:
    // What "Valider" checks before closing: the dialog's own rules.
    virtual void bOkClick() = 0;
    void bAnnulerClick();

protected:
    // Builds the caption, the field and the two buttons; returns the field.
    QLineEdit* ConstruireSaisie(const char* nomChamp, const QString& etiquette,
                                const QString& nomAccessible, const QString& styleEnPlus = {});
    // Says why the text is refused and keeps the dialog open on the field.
    void Refuser(const QString& message);
    void FormActivate() override;
    void FermetureDeLaFenetre() override;
    bool eventFilter(QObject* objet, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QLineEdit* m_champ = nullptr;
};
