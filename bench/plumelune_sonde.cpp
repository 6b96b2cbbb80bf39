// The program as shipped, with the start-up probe: it prints "peint" once the main window and
// the start form are painted, then ends (bench/bench_demarrage).

#include "SondeDemarrage.h"
#include "ui/Application.h"

int main(int argc, char* argv[]) {
    return LancerPlumelune(argc, argv, InstallerSondeDemarrage);
}
