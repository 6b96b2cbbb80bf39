#pragma once
// Base of every form shown modally over the exercise screen: created once, hidden between
// showings, with the two moments the forms hook their work on.

#include <QDialog>

class FormeModale : public QDialog {
    Q_OBJECT
public:
    explicit FormeModale(QWidget* parent, const QString& nom, const QString& titre);

    // What every showing runs before the user acts: FormShow, then FormActivate. The Qt
    // modal service gets there through showEvent; the test double calls it directly.
    void Preparer();

protected:
    virtual void FormShow() {}
    virtual void FormActivate() {}
    void showEvent(QShowEvent* e) override;
    // Escape does not close a form behind the program's back: each form says what its keys do.
    void keyPressEvent(QKeyEvent* e) override;
    // No title-bar buttons: the form's own buttons are the only way out.
    void SansBoutonsDeTitre();
    void FixerTaille(int largeur, int hauteur);
    void FondBleuCiel();
};
