#pragma once
// A whole group at a glance for the teacher, worked out from the pupils' record files alone:
// one row per pupil, and the items the class misses most. Years of records make a group's files
// weigh megabytes, so each pupil's reading (and his row) is kept and done again only when one of
// his files changed.

#include "core/progress/BilanEleve.h"

#include <QMutex>

#include <array>
#include <functional>
#include <memory>

// An item missed at the first attempt across the group.
struct MotDeLaClasse {
    struct Eleve {
        QString Nom;
        int Erreurs = 0;
        QDate Derniere;
    };
    QString Cle;
    QString Affiche;
    int Eleves = 0;          // pupils who missed it
    int Erreurs = 0;         // misses, all pupils together
    QVector<Eleve> ParEleve; // most misses first, then the pupil list's order
    // What the class typed instead, the most frequent first, then in people's order; at most
    // EcritsAffiches of them, AutresEcrits more left out.
    QVector<ReponseEcrite> Ecrits;
    int AutresEcrits = 0;
    int Reponses = 0;      // wrong answers typed, all pupils together
    CompteGenres Genres{}; // the kinds those answers show
};

// How many of the most missed items the teacher is shown, and how many of each one's wrong
// spellings.
inline constexpr int MotsLesPlusRatesAffiches = 20;
inline constexpr int EcritsAffiches = 5;

struct BilanClasse {
    QString DossierGroupe;
    QVector<StatistiquesEleve> Eleves; // in the pupil list's order
    QVector<MotDeLaClasse> Mots;       // the most missed first
    int Illisibles = 0;
    int Relus = 0; // pupils whose files had to be read for this result
};

// Pupils' records as last read, each kept with the size and modification time of its three
// files, and his row for the last number of answers needed. Safe to use from several threads.
class CacheBilans {
public:
    struct Eleve {
        std::shared_ptr<const BilanLu> Bilan;
        std::shared_ptr<const StatistiquesEleve> Statistiques;
        bool Relu = false; // his files were read for this answer
    };
    // The pupil's records and row; his files are read again only when one of them changed.
    Eleve Lire(const QString& dossierGroupe, const QString& eleve,
               std::optional<int> reponsesNecessaires);
    const DictionnaireMots& Mots() const { return m_mots; }
    void Vider();

private:
    struct Empreinte {
        qint64 Taille = -1; // -1: no such file
        qint64 Modifie = 0;
        bool operator==(const Empreinte&) const = default;
    };
    using Empreintes = std::array<Empreinte, 3>;
    static Empreintes EmpreintesEleve(const QString& base);
    struct Entree {
        Empreintes Fichiers;
        Eleve Lu;
        std::optional<int> Necessaires;
    };
    QMutex m_verrou;
    QHash<QString, Entree> m_entrees;
    DictionnaireMots m_mots;
};

// Adds to each row the kinds of his wrong answers (AjouterFautes), his records taken from the
// cache (read again if his files changed meanwhile); the export needs them, the class view's
// table does not.
void CompleterFautes(BilanClasse& classe, CacheBilans& cache,
                     std::optional<int> reponsesNecessaires);

// The group's pupils (as the report form lists them), their rows and the most missed items.
// Pupils whose files changed are read on as many threads as the computer has cores. When
// `continuer` is given and answers false, no further pupil is read and the result is partial.
BilanClasse CalculerClasse(CacheBilans& cache, const QString& dossierGroupe,
                           std::optional<int> reponsesNecessaires,
                           const std::function<bool()>& continuer = {});

// The items missed at the first attempt by the most pupils, then most often, then in people's
// order; `combien` at most. The pupils' words are numbered by `mots`.
struct BilanNomme {
    QString Eleve;
    std::shared_ptr<const BilanLu> Bilan;
};
QVector<MotDeLaClasse> MotsLesPlusRates(const QVector<BilanNomme>& eleves,
                                        const DictionnaireMots& mots, int combien);
