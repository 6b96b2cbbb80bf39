#pragma once
// The whole program: the program folder, the platform services, the windows, then the event
// loop until the main window closes.

#include <functional>

// `apresCreation` runs once the windows exist, before the first is shown (the start-up
// benchmark hooks its probe there; the program passes nothing).
int LancerPlumelune(int argc, char* argv[], const std::function<void()>& apresCreation = {});
