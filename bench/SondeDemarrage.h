#pragma once
// For the start-up benchmark only (bench/bench_demarrage, through bench/plumelune_sonde): the
// program prints the line "peint" on its standard output as soon as the main window and the
// start form have both been painted, then ends as "Quitter" in the start form would.

void InstallerSondeDemarrage();
