#pragma once
// What a pupil's three record files say once read back: his exercises, the items he missed at
// the first attempt, his history; and what follows for the teacher and for him (how many
// exercises, his recent average, what he masters, what he should revise).

#include "core/exercise/Erreurs.h"
#include "core/progress/LecturesBilan.h"
#include "core/progress/TableTextes.h"

#include <QHash>
#include <QMutex>
#include <QStringList>
#include <QVector>

#include <array>
#include <optional>

// How many wrong answers show each kind of mistake (one answer may show several).
using CompteGenres = std::array<int, NbGenresErreur>;
// The kinds one answer shows, one bit each by GenreErreur.
using GenresReponse = quint16;

// The kinds of a wrong answer against the item's accepted spellings; none for an empty answer
// (the records write "...").
GenresReponse GenresDe(const QString& reponse, const QStringList& acceptees);
void AjouterGenres(CompteGenres& compte, GenresReponse genres, int fois = 1);

// A wrong answer as the records wrote it, blanks at its ends removed. Its kinds are worked out
// only where they are shown (the class's words, a pupil's progress, the export).
struct ReponseEcrite {
    QString Texte;
    int Fois = 0;
    GenresReponse Genres = 0;
};

// One wrong answer as read: the date of its exercise, its word (index in BilanLu::Mots) and its
// spelling there (index in MotRate::Ecrits).
struct FauteLue {
    QDate Jour;
    int Mot = 0;
    int Ecrit = 0;
};

// An item missed at the first attempt, as the detail record names it.
struct MotRate {
    QString Cle;              // what tells two items apart: decoded answers, A-Z folded, trimmed
    QString Affiche;          // decoded, alternatives joined by " / "
    QStringList Cles;         // the history keys its answers are counted under
    QStringList Acceptees;    // the accepted spellings, decoded, case kept
    int Erreurs = 0;          // times missed at the first attempt, over the whole record
    QDate Derniere;           // date of the exercise of the last miss
    int DernierExercice = -1; // rank of that exercise in the detail record
    int Numero = -1;          // the key's number, the same for every pupil of a reading
    // What was typed instead, in the order first typed; a line whose answers cannot be told
    // apart gives none.
    QVector<ReponseEcrite> Ecrits;
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
    // Every wrong answer, in file order; and the latest exercise date of the detail record.
    QVector<FauteLue> Fautes;
    QDate DernierJour;
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
    // The kinds of an answer to the word with that number, worked out once for all pupils.
    GenresReponse Genres(int numero, const QString& reponse) const;
    // The kinds of every answer typed instead of these words (numbered by this dictionary),
    // in the order of each word's Ecrits; two passes under the lock for them all.
    QVector<QVector<GenresReponse>> Classer(const QVector<MotRate>& mots) const;

private:
    using CleReponse = std::pair<int, QString>;
    struct HachageReponse {
        size_t operator()(const CleReponse& c) const noexcept;
    };
    mutable QMutex m_verrou;
    mutable std::unordered_map<CleReponse, GenresReponse, HachageReponse> m_genres;
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
// How many calendar weeks, up to the one of his latest exercise, a pupil's kinds of mistakes
// are shown for.
inline constexpr int SemainesFautes = 4;

struct SemaineFautes {
    QDate Lundi;
    int Reponses = 0;
    CompteGenres Genres{};
};

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
    // Wrong answers typed over the whole record, and the kinds they show (AjouterFautes).
    int ReponsesFausses = 0;
    CompteGenres Genres{};
    // The last SemainesFautes weeks, the earliest first; empty without any exercise.
    QVector<SemaineFautes> Semaines;
    int Illisibles = 0;
    QStringList Erreurs;
};

// Mastery follows the "Items réussis" view: a history line is mastered when its counts are the
// single number `reponsesNecessaires`; with no limit (empty), none is.
StatistiquesEleve CalculerEleve(const QString& eleve, const BilanLu& bilan,
                                std::optional<int> reponsesNecessaires);

// Adds the kinds of the pupil's wrong answers to his row: over the whole record and for his last
// weeks. Worked out only when shown: a class view that does not show them does not pay for them.
void AjouterFautes(StatistiquesEleve& eleve, const BilanLu& bilan,
                   const DictionnaireMots* mots = nullptr);
