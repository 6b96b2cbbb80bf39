#pragma once
// The desktop's session bus, connected on a helper thread as soon as the application exists.
// Qt's accessibility bridge (AT-SPI, what screen readers listen to) asks for that bus at the
// first accessible change, that is while the first form is being built, and the main thread
// waits there for the connection: about a millisecond on a desktop, two where no session bus
// runs and the bus library first tries to start one. Connected ahead, the bridge finds it made.

#include <QString>

#include <thread>

// Whether Qt's integration for this platform speaks to screen readers through the session bus.
bool AccessibiliteParLeBus(const QString& plateforme);

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
