#pragma once
// The run's journal, "Bilan_<n>.txt" in the program folder. Each running copy holds a lock
// beside its journal (".Bilan_<n>.txt.lock") for the whole run: a copy killed or switched off
// cannot delete its journal, and the lock it leaves behind is one no running copy holds any
// more, which is how the next start knows that journal may go.

// Draws a journal name "Bilan_<n>.txt" in the program folder that no running copy uses, takes
// its lock and creates it empty; the journals that copies which stopped without deleting
// theirs left behind are removed first. Sets Etat.FichierJournal; false when the file could
// not be created.
bool CreerJournal();

// Removes from the program folder every journal whose lock is there and held by no running
// copy, with that lock, and the locks left without a journal. A journal without a lock is left
// alone: it may be a running older copy's, or a file that only looks like a journal. Returns
// the number of journals removed.
int NettoyerJournauxAbandonnes();
