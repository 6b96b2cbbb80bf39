#include "ui/platform/BusDeSession.h"

#include <QDBusConnection>
#include <QFileInfo>

#include <system_error>

bool AccessibiliteParLeBus(const QString& plateforme) {
    return plateforme == u"xcb" || plateforme.startsWith(u"wayland");
}

bool AdresseDeBusConnue(const QByteArray& adresse, const QString& dossierExecution) {
    if (!adresse.isEmpty())
        return true;
    return !dossierExecution.isEmpty() &&
           QFileInfo::exists(dossierExecution + QStringLiteral("/bus"));
}

BusDeSessionEnAvance::BusDeSessionEnAvance(const QString& plateforme) {
    if (!AccessibiliteParLeBus(plateforme))
        return; // no bridge would ask: a connection here would be made for nothing
    if (!AdresseDeBusConnue(qgetenv("DBUS_SESSION_BUS_ADDRESS"),
                            qEnvironmentVariable("XDG_RUNTIME_DIR")))
        return;
    try {
        // Qt keeps the session connection once made, failed or not, and hands the same one to
        // every later caller.
        m_fil = std::thread([] { QDBusConnection::sessionBus(); });
    } catch (const std::system_error&) {
        // No thread: the bridge connects by itself, as it would without this.
    }
}

BusDeSessionEnAvance::~BusDeSessionEnAvance() {
    if (m_fil.joinable())
        m_fil.join();
}
