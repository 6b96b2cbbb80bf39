#pragma once
// The exact layout of every line the records receive, in one place, so the detail record,
// the journal and the exercise summary can never drift apart.

#include <QString>
#include <QStringList>

// "07/12/2026 à 14:03:27 - 2 items - Exercice sur [Animaux]"
QString LigneEnTete(const QString& date, const QString& heure, int nbItems, const QString& dossier);
// "chat : [4 s - 1 essai]", or with " (déjà tenté)" for an item that came back.
QString LigneJustePremierEssai(const QString& tape, const QString& duree, bool dejaTente);
// What opens the line of a missed item: "chien : chein".
QString DebutLigneRatee(const QString& attendu, const QString& tape);
// Each further wrong answer: " - chiein".
QString SuiteLigneRatee(const QString& tape);
// What closes it at the right answer: " [1 min 5 s - 3 essais]".
QString FinLigneRatee(const QString& duree, int essais);
// The expected text in the records: ".WAV", ".wav", ".Wav" removed, "£" as five blanks.
QString TexteAttendu(const QString& fichierSon);
// After the last item: "", "Temps exercice : ...", "Score : S/M.", the rule.
QStringList LignesFinExercice(const QString& duree, const QString& score, const QString& maxi);
// After an interruption: "" (closes an open line), "Exercice interrompu après ...", the rule.
QStringList LignesInterruption(const QString& duree);
// "07/12/2026 | Terminé    |    8 /  10 | Animaux"
QString LigneResume(const QString& date, bool termine, const QString& score, const QString& maxi,
                    const QString& dossier);
