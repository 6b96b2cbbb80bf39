// Windows has no SIGTERM: before a shutdown or the end of a session it asks every program's
// windows first, which Qt turns into commitDataRequest. The program then closes its main window
// as "Quitter" would, while Windows still waits for it.

#include "ui/platform/ArretPropre.h"

#include <QGuiApplication>
#include <QSessionManager>

#include <memory>

void InstallerArretPropre(std::function<void()> arreter) {
    auto fait = std::make_shared<bool>(false);
    QObject::connect(
        qGuiApp, &QGuiApplication::commitDataRequest, qGuiApp,
        [fait, arreter = std::move(arreter)](QSessionManager&) {
            if (*fait)
                return; // once is enough
            *fait = true;
            arreter();
        },
        Qt::DirectConnection);
}
