#pragma once
// The pupil's success history: one line "key|counts" per item once answered right at the
// first attempt. In memory it is Etat.ListeReussites, tied to the file it was loaded from.

#include <QString>

// The key of an answer text: composed, A-Z folded, blanks and controls trimmed at both ends.
QString CleReussite(const QString& texte);
// The run of first-attempt successes since the last failure: the number after the last "-".
// A count a teacher's hand edit made unreadable counts as 0.
int DernierCompte(const QString& compteurs);
// The leading number (digits read up to the first other character), 0 when there is none.
int PremierCompte(const QString& compteurs);

void NoterReussite(const QString& texte);
void NoterEchec(const QString& texte);

// Loads DossierGroupe + NomEleve + ".txt" (empties the table for an anonymous pupil).
// false when the file exists but cannot be read: the table then belongs to no file.
bool ChargerReussites();
// Fills the table from a history file's content (no file attached).
void LireReussites(const QByteArray& contenu);
// Writes this run's changes since its last save into the file the table was loaded from,
// atomically: the file is read again and only the changed entries take the table's counts,
// every other line keeps what the file holds by then (another computer's successes, the
// teacher's hand edit). Nothing is written when nothing changed. Afterwards the table is what
// the file holds. false when nothing could be written where something had to be.
bool EnregistrerReussites();
