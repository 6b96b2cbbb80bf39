#pragma once
// A computer shut down or a session closed sends SIGTERM (or SIGHUP, SIGINT; on Windows, the
// session's question to every program): the program then closes its main window as "Quitter"
// would, so the pupil's history is saved and the journal deleted, instead of dying with both
// undone. ArretPropre.cpp on Linux, ArretPropreWin.cpp on Windows.

#include <functional>

// `arreter` runs on the interface thread, once, at the first of those signals.
void InstallerArretPropre(std::function<void()> arreter);
