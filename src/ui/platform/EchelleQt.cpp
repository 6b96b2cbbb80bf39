#include "ui/platform/EchelleQt.h"

#include <QGuiApplication>
#include <QScreen>
#include <private/qhighdpiscaling_p.h>

double FacteurPourLEcran(const ReglageEchelle& reglage) {
    const QScreen* ecran = QGuiApplication::primaryScreen();
    if (!ecran)
        return 1;
    return FacteurEchelle(reglage, ecran->availableGeometry().size());
}

void AppliquerFacteurEchelle(double facteur) {
    // Qt's own scaling, the one QT_SCALE_FACTOR sets before a program starts: here the factor
    // depends on the screen, known only once the application exists.
    QHighDpiScaling::setGlobalFactor(facteur);
}
