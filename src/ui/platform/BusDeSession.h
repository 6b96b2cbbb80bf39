#pragma once
// The desktop's session bus, connected on a helper thread as soon as the application exists.
// Qt's accessibility bridge (AT-SPI, what screen readers listen to) asks for that bus at the
// first accessible change, that is while the first form is being built, and the main thread
// waits there for the connection: about a millisecond and a half on a desktop. Connected ahead,
// the bridge finds it made.

#include <QByteArray>
#include <QString>

#include <thread>

// Whether Qt's integration for this platform speaks to screen readers through the session bus.
bool AccessibiliteParLeBus(const QString& plateforme);
// Whether the session bus has an address to connect to: the environment's, or the socket a
// desktop session keeps in the user's runtime folder. Without either, the bus library forks to
// try to start one; forked while the main thread goes on building the forms, every page that
// thread then writes is copied, which costs more than the wait saved. That case is left to Qt.
bool AdresseDeBusConnue(const QByteArray& adresse, const QString& dossierExecution);

#ifdef Q_OS_WIN
// Windows' screen readers listen through its own accessibility interfaces: no bus to connect.
class BusDeSessionEnAvance {
public:
    explicit BusDeSessionEnAvance(const QString&) {}
};
#else
class BusDeSessionEnAvance {
public:
    // Created once the application exists, for the platform it runs on.
    explicit BusDeSessionEnAvance(const QString& plateforme);
    // Waits for the attempt to end: it must not outlive the application.
    ~BusDeSessionEnAvance();
    BusDeSessionEnAvance(const BusDeSessionEnAvance&) = delete;
    BusDeSessionEnAvance& operator=(const BusDeSessionEnAvance&) = delete;

    bool Lance() const { return m_fil.joinable(); }

private:
    std::thread m_fil;
};
#endif
