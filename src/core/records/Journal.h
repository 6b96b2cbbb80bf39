#pragma once

// Draws a journal name "Bilan_<n>.txt" in the program folder that no running copy uses, and
// creates it empty. Sets Etat.FichierJournal; false when the file could not be created.
bool CreerJournal();
