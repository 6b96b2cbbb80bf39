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
// Writes the table back to the file it was loaded from, atomically.
bool EnregistrerReussites();
