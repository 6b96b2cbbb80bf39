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

// The same on a thread of its own, begun as soon as the program folder is known: the lock is
// written through to the disk (a millisecond here, far more on a school's disk or share), and
// the windows need not wait for it. JournalCree() gives its result, waiting if need be; without
// a creation begun, it creates the journal itself. Nothing may read Etat.FichierJournal between
// the two calls.
void CreerJournalEnFond();
bool JournalCree();
// Waits for a creation begun in the background, if any, without taking its result.
void AttendreJournalEnFond();

// Removes from the program folder every journal whose lock is there and held by no running
// copy, with that lock, and the locks left without a journal. A journal without a lock is left
// alone: it may be a running older copy's, or a file that only looks like a journal. Returns
// the number of journals removed.
int NettoyerJournauxAbandonnes();
