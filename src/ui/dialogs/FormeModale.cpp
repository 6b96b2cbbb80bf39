#include "ui/dialogs/FormeModale.h"

#include "ui/kit/MarqueFocus.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>
#include <QTimer>

FormeModale::FormeModale(QWidget* parent, const QString& nom, const QString& titre)
    : QDialog(parent) {
    setObjectName(nom);
    setWindowTitle(titre);
}

void FormeModale::Construire() {
    if (m_construite)
        return;
    m_construite = true;
    ConstruireControles();
}

void FormeModale::TerminerCreation(Controles controles) {
    if (controles == Controles::Immediats)
        Construire();
}

void FormeModale::setVisible(bool visible) {
    // Before Qt shows the form: controls created during the showing would stay hidden.
    if (visible)
        Construire();
    QDialog::setVisible(visible);
}

void FormeModale::Preparer() {
    Construire();
    FormShow();
    FormActivate();
}

void FormeModale::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous())
        return; // a window system re-show (un-minimise) is not a new showing
    // At the first showing, not at creation: forms nobody opens cost nothing.
    MarqueFocus::Poser(this);
    FormShow();
    // Activation comes once the window is up, as the user sees it.
    QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void FormeModale::SansBoutonsDeTitre() {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

void FormeModale::FixerTaille(int largeur, int hauteur) {
    setFixedSize(largeur, hauteur);
}

void FormeModale::FondBleuCiel() {
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(166, 202, 240));
    setPalette(p);
    setAutoFillBackground(true);
}

void FormeModale::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void FormeModale::closeEvent(QCloseEvent* e) {
    if (!isVisible()) {
        e->accept();
        return;
    }
    FermetureDeLaFenetre();
    // A button that keeps the form open (a question answered "Annuler") keeps it open.
    if (isVisible())
        e->ignore();
    else
        e->accept();
}

void FormeModale::FermetureDeLaFenetre() {
    reject();
}
