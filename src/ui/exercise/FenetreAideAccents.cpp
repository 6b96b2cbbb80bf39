#include "ui/exercise/FenetreAideAccents.h"

#include "ui/platform/ImagesQt.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

FenetreAideAccents::FenetreAideAccents(QWidget* parent)
    : FormeModale(parent, QStringLiteral("CPEcr"), QStringLiteral("Aide")) {
    // An ordinary window: a title bar with its close button, and a frame to resize it by.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    setMinimumSize(192, 156);
    resize(384, 311);

    iAccents = new QLabel(this);
    iAccents->setTextFormat(Qt::PlainText);
    iAccents->setObjectName(QStringLiteral("Image1"));
    iAccents->setScaledContents(true); // stretched to the window, whatever its shape
    iAccents->setMinimumSize(1, 1);    // the picture must not hold the window to its own size
    iAccents->setAccessibleName(QStringLiteral("Comment écrire un accent"));
    iAccents->setAccessibleDescription(QStringLiteral(
        "Une seule touche, sans Maj : é, è, ç, à et ù. "
        "Deux touches, l'une après l'autre : ^ puis e donne ê, pareil pour â, î, ô, û ; "
        "Maj et ^ puis e donne ë, pareil pour ï, ü. "
        "AltGr et o donne œ. Verr. Maj puis é donne É, ensuite appuie encore sur Verr. Maj."));
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(iAccents);
}

void FenetreAideAccents::FormShow() {
    // Decoded at the first showing, not at start-up: most pupils never open the help.
    if (iAccents->pixmap().isNull())
        iAccents->setPixmap(ChargerImageRessource(QStringLiteral(":/art/aide_clavier.jpg")));
    // Centred on the screen rather than over the exercise window.
    if (const QScreen* ecran = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect cadre = geometry();
        cadre.moveCenter(ecran->availableGeometry().center());
        move(cadre.topLeft());
    }
}

void FenetreAideAccents::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    FormeModale::keyPressEvent(e);
}
