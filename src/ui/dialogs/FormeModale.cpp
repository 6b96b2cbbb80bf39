#include "ui/dialogs/FormeModale.h"

#include "ui/kit/Kit.h"
#include "ui/kit/MarqueFocus.h"
#include "ui/platform/SurfaceFenetre.h"

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
    if (visible) {
        Construire();
        if (!isVisible())
            CentrerSurLaFenetreQuiDemande();
    }
    QDialog::setVisible(visible);
}

void FormeModale::CentrerSurLaFenetreQuiDemande() {
    // Placed here rather than by Qt once the window exists: Qt's placement asks the window
    // system where things are and moves the new window, round trips that each wait for the
    // display to finish drawing what came before (milliseconds at every start-up).
    const QWidget* sur = parentWidget() ? parentWidget()->window() : nullptr;
    if (!sur || !sur->isVisible())
        return; // Qt's own placement
    // The frame is known from the window's last showing (none before its first); the asking
    // window's would cost a round trip of its own.
    QRect cadre(QPoint(0, 0), frameGeometry().size());
    cadre.moveCenter(sur->geometry().center());
    cadre = Kit::DansLEcran(cadre, sur->screen());
    move(cadre.topLeft());
}

void FormeModale::Preparer() {
    Construire();
    FormShow();
    FormActivate();
}

void FormeModale::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    PreparerSurface(this);
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
    p.setColor(QPalette::Window, Kit::BleuCiel);
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
