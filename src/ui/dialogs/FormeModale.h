#pragma once
// Base of every form shown modally over the exercise screen: created once, hidden between
// showings, with the two moments the forms hook their work on.

#include <QDialog>

class FormeModale : public QDialog {
    Q_OBJECT
public:
    // When a form builds its controls: in its constructor, or just before it is first shown
    // (or prepared). At start-up only the main window and the start form appear; the other
    // forms are created with them but wait to build what nobody has seen yet.
    enum class Controles { Immediats, AuPremierAffichage };

    explicit FormeModale(QWidget* parent, const QString& nom, const QString& titre);

    // What every showing runs before the user acts: FormShow, then FormActivate. The Qt
    // modal service gets there through showEvent; the test double calls it directly.
    void Preparer();
    // Builds the controls if they are not built yet.
    void Construire();
    void setVisible(bool visible) override;

protected:
    // The form's controls, built once by Construire.
    virtual void ConstruireControles() {}
    // Ends every form's constructor: the controls now, or at the first showing.
    void TerminerCreation(Controles controles);
    virtual void FormShow() {}
    virtual void FormActivate() {}
    void showEvent(QShowEvent* e) override;
    // Escape does not close a form behind the program's back: each form says what its keys do.
    void keyPressEvent(QKeyEvent* e) override;
    // A close from outside the form (the window manager's close, Alt+F4, a session ending) is
    // one of the form's own ways out, never a way round its checks.
    void closeEvent(QCloseEvent* e) override;
    // What such a close means: the button it presses. By default the form is closed as
    // rejected, which suits the forms that have a real close button.
    virtual void FermetureDeLaFenetre();
    // No title-bar buttons: the form's own buttons are the only way out.
    void SansBoutonsDeTitre();
    void FixerTaille(int largeur, int hauteur);
    void FondBleuCiel();

private:
    // Over the window that asked, inside its screen; left to Qt when that window is hidden.
    void CentrerSurLaFenetreQuiDemande();

    bool m_construite = false;
};
