#pragma once
// What a pupil's three record files say once read back: his exercises, the items he missed at
// the first attempt, his history; and what follows for the teacher and for him (how many
// exercises, his recent average, what he masters, what he should revise).

#include "core/progress/LecturesBilan.h"
#include "core/progress/TableTextes.h"

#include <QHash>
#include <QMutex>
#include <QStringList>
#include <QVector>

#include <optional>

// An item missed at the first attempt, as the detail record names it.
struct MotRate {
    QString Cle;              // what tells two items apart: decoded answers, A-Z folded, trimmed
    QString Affiche;          // decoded, alternatives joined by " / "
    QStringList Cles;         // the history keys its answers are counted under
    int Erreurs = 0;          // times missed at the first attempt, over the whole record
    QDate Derniere;           // date of the exercise of the last miss
    int DernierExercice = -1; // rank of that exercise in the detail record
    int Numero = -1;          // the key's number, the same for every pupil of a reading
};

struct BilanLu {
    QVector<ExerciceResume> Exercices; // the summary's readable lines, in file order
    QVector<MotRate> Mots;             // in the order they were first missed
    int ExercicesDetail = 0;           // exercise headers of the detail record
    // The history file's text, and for each item key the first line with that key, as written
    // (a view into that text).
    QString TexteHistorique;
    TableTextes<QString, QStringView> Historique;
    // (number, index in Mots), sorted by number, once the words are numbered.
    QVector<QPair<int, int>> ParNumero;
    int IllisiblesResume = 0;
    int IllisiblesDetail = 0;
    int IllisiblesHistorique = 0;
    // A file that exists but could not be read, with the system's reason.
    QStringList Erreurs;

    int Illisibles() const { return IllisiblesResume + IllisiblesDetail + IllisiblesHistorique; }
    // The history line of a key, empty when the key has none.
    QString LigneHistorique(const QString& cle) const;
    // The word with that number, nullptr when this pupil never missed it.
    const MotRate* MotNumero(int numero) const;
};

// An item's identity and its display from the detail record's expected text ("l#apo#eau",
// "chat     chats").
MotRate MotDepuisAttendu(QStringView attendu);

// The items of a group, each read once for all its pupils and given a number, so that the
// group's words add up in arrays. Safe to use from several threads.
class DictionnaireMots {
public:
    // The item an expected text stands for, with its number.
    MotRate Mot(QStringView attendu);
    int Taille() const;
    QString Affiche(int numero) const;
    QString Cle(int numero) const;

private:
    mutable QMutex m_verrou;
    TableTextes<QString, int> m_parAttendu; // expected text as written -> number
    TableTextes<QString, int> m_parCle;     // key -> number
    QVector<MotRate> m_mots;                // by number
};

// The readers of each file's whole text; a line that is not the program's own (a date outside
// `plage` included) is counted and skipped. With a dictionary, the words missed are numbered by
// it.
void LireResume(const QString& texte, BilanLu& bilan, const PlageDates& plage = PlageDuJour());
void LireDetail(const QString& texte, BilanLu& bilan, DictionnaireMots* mots = nullptr,
                const PlageDates& plage = PlageDuJour());
void LireHistorique(const QString& texte, BilanLu& bilan);
// Reads the pupil's summary, detail record and history in the group folder; a missing file
// reads as empty.
BilanLu LireBilanEleve(const QString& dossierGroupe, const QString& eleve,
                       DictionnaireMots* mots = nullptr);

// How many of the latest exercises the average and the words to revise look at.
inline constexpr int ExercicesRecents = 10;

struct StatistiquesEleve {
    QString Eleve;
    int Exercices = 0;
    int Termines = 0;
    int Interrompus = 0;
    QDate Dernier;       // date of the last exercise of the summary
    double Moyenne = -1; // score in percent over the last ten; -1 without any exercise
    int Maitrises = 0;   // history lines marked mastered, each item once
    // Missed at the first attempt in the last ten exercises of the detail record and not
    // mastered since, in people's order.
    QStringList MotsARevoir;
    int Illisibles = 0;
    QStringList Erreurs;
};

// Mastery follows the "Items réussis" view: a history line is mastered when its counts are the
// single number `reponsesNecessaires`; with no limit (empty), none is.
StatistiquesEleve CalculerEleve(const QString& eleve, const BilanLu& bilan,
                                std::optional<int> reponsesNecessaires);
