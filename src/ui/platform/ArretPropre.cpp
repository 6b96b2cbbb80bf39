#include "ui/platform/ArretPropre.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int tube[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the pipe, read back by the event loop.
void SurSignal(int) {
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(tube[0], &c, 1);
}

} // namespace

void InstallerArretPropre(std::function<void()> arreter) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, tube) != 0)
        return;
    // Owned by the application, which deletes it at the end of the run.
    auto* notificateur =
        new QSocketNotifier(tube[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notificateur, &QSocketNotifier::activated, notificateur,
                     [notificateur, arreter = std::move(arreter)] {
                         char c = 0;
                         [[maybe_unused]] const ssize_t n = ::read(tube[1], &c, 1);
                         notificateur->setEnabled(false); // once is enough
                         arreter();
                     });
    struct sigaction action{};
    action.sa_handler = SurSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : {SIGTERM, SIGHUP, SIGINT})
        sigaction(s, &action, nullptr);
}
