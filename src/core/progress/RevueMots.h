#pragma once
// "Mes mots à revoir": the words a pupil missed come back after growing intervals, computed
// from his detail record alone (nothing is stored for it). A word enters at a miss and comes
// back one day later; each time it is answered right at the first attempt once its interval
// has passed, the next interval is 3, 7, then 14 days; after the 14-day success it leaves.
// A new miss, in any exercise (the review included), starts it again.
//
// A word is known by its answers (the key of the progress views: decoded, A-Z folded), not by
// its folder: the records name a folder by its last component only, and a right answer's line
// holds the typed text, not the item's file. Its sound is the one of its last miss outside the
// review, looked up by folder name below the exercise root.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

// The folder name the review's records are written under.
inline const QString NomRevue = QStringLiteral("Mes mots à revoir");

// The days to wait before a word comes back, by step: after a miss, then after each success.
inline constexpr int IntervallesRevue[] = {1, 3, 7, 14};

struct MotEnRevue {
    QString Cle;        // the word's key; alternatives joined by a line end
    QStringList Cles;   // the key of each accepted answer, what a right answer is matched with
    QString Attendu;    // the expected text as the last miss outside the review wrote it
    QString Dossier;    // that exercise's folder name; empty when it was only missed in reviews
    int Palier = 0;     // index in IntervallesRevue
    QDate Depuis;       // date of the last miss, or of the last success that counted
    bool Sorti = false; // its 14-day success is done

    QDate Echeance() const { return Depuis.addDays(IntervallesRevue[Palier]); }
};

// The words due at `aujourdhui` in the text of a detail record, earliest due first. A line the
// program cannot have written is skipped, as the progress views skip it.
QVector<MotEnRevue> MotsDus(const QString& texteDetail, const QDate& aujourdhui);

struct ItemsRevue {
    QStringList Chemins; // the sound of each word found, absolute
    int Absents = 0;     // words whose folder or sound is gone
    bool Vide() const { return Chemins.isEmpty() && Absents == 0; }
};

// The sound of each word below `racineMedias`: in the folders (without a dot in their name,
// as the start form lists them) whose name is the one recorded, the first in people's order,
// shallow ones first, that still holds a sound whose expected text is the recorded one.
ItemsRevue TrouverItemsRevue(const QVector<MotEnRevue>& mots, const QString& racineMedias);

// Both steps for a pupil's records in `dossierGroupe` (with its separator).
ItemsRevue PreparerRevue(const QString& dossierGroupe, const QString& eleve,
                         const QString& racineMedias, const QDate& aujourdhui);

// The start form's entry, "★ Mes mots à revoir (7)", or "(7 sur 9)" when two words can no
// longer come back; and the sentence that says so to a pupil or his teacher.
QString TexteEntreeRevue(const ItemsRevue& items);
QString ExplicationRevue(const ItemsRevue& items);

// Today by the program's clock (Services::Horloge()), the system's date when its text is no
// date. The rule above never reads a clock: its callers pass this.
QDate DateDuJour();
