#pragma once
// One exercise as the pupil works through it: the items and their states, the points in play,
// the score, the attempts and the two clocks, and what each answer leads to. The exercise
// window shows it and forwards the pupil's actions; nothing is read back from the screen. The
// lines the records get are written through EcrituresExercice.

#include "core/exercise/EcrituresExercice.h"

#include <QString>
#include <QVector>

// Where an item stands in this exercise.
enum class EtatItem {
    Nouveau, // not yet answered right
    Repris,  // answered right after retries: it comes back, for 1 point
    Reussi,  // answered right at the first attempt: finished
};
// A state as one letter, "N", "R", "O", for tests to print an exercise with; no record holds it.
QChar LettreEtat(EtatItem etat);

struct ItemExercice {
    QString Nom; // the WAV file name, as the folder lists it
    EtatItem Etat = EtatItem::Nouveau;
    QString Chemin; // the sound, absolute, for an item of a list; empty: in the exercise folder
    bool operator==(const ItemExercice&) const = default;
};

// How the model answer is shown after a wrong answer, by attempt.
enum class Correction {
    EssaieEncore,    // 1st: a message only
    ModeleFugace,    // 2nd: the model answer for one second
    ModeleAObserver, // 3rd: the model answer between two messages
    ModeleQuiReste,  // 4th and later: the model answer until the right answer
};

// What an answer led to.
struct Verdict {
    bool Juste = false;
    int Essai = 0; // 1 at the first attempt on the item
    // A wrong answer: how the model answer is shown, and the model answer itself (every
    // accepted answer, side by side).
    Correction Montrer = Correction::EssaieEncore;
    QString Modele;
    // A right answer on the last item left: the exercise is done.
    bool Termine = false;
};

class SessionExercice {
public:
    // Points in play for an item met for the first time, and for one that came back.
    static constexpr int PointsItemNouveau = 5;
    static constexpr int PointsItemRepris = 1;

    // An exercise on `dossier`, writing to `bilans`: the WAV items the pupil must still work
    // (what a named pupil has mastered is left out), score and clocks at zero, nothing drawn
    // yet.
    void Ouvrir(const QString& dossier, const BilansExercice& bilans);
    // An exercise on sounds from several folders, each given by its absolute path (the review
    // of a pupil's words): every one is offered, mastered or not, since the list chose them.
    void OuvrirListe(const QStringList& sons, const BilansExercice& bilans);
    // The item-count choice: keeps `nombre` items drawn at random, in draw order; a count
    // equal to or above what is on offer keeps them all, in folder order.
    void GarderItemsTires(int nombre);
    // Draws the first item and writes the exercise's header. false when there is no item: the
    // exercise then stays empty until the pupil leaves it.
    bool Commencer();

    // A listen of the current item. true at its first listen: the item's clock starts then,
    // and its companions are shown.
    bool Ecouter();
    // One second on the current item, while its clock runs.
    void CompterUneSeconde();
    // The pupil's answer to the current item, recorded; on a right answer the next item is
    // drawn at once (the exercise is done when none is left).
    Verdict Repondre(const QString& tape);
    // The exercise done: the closing lines and the "Terminé" summary.
    void Terminer();
    // The exercise left before its end: the item's time counts, the interruption is recorded,
    // the open line of a missed item ended first. The one place that writes an interruption,
    // whatever ends the exercise (the quit dialog, the window closed, a shutdown).
    void Interrompre();
    // From Ouvrir until Terminer or Interrompre, even for an exercise without item: a program
    // that ends meanwhile records the interruption.
    bool EnCours() const { return m_enCours; }

    // The question at the end: the pupil's name, the time and the score.
    QString QuestionFin() const;
    // Whether the end of the exercise offers the pupil his own report.
    bool ProposerBilan() const;

    // What the screen shows.
    const QVector<ItemExercice>& Items() const { return m_items; }
    int NbItems() const { return static_cast<int>(m_items.size()); }
    int NbItemsDossier() const { return m_nbItemsDossier; }
    QString ItemCourant() const { return m_item; } // empty when no item is left
    // The current item's sound, absolute; its companions share its path but for the extension.
    QString CheminItemCourant() const;
    int PointsEnJeu() const { return m_pointsEnJeu; }
    int Score() const { return m_score; }
    int ScoreMaxi() const { return NbItems() * PointsItemNouveau; }
    int ReussisPremierEssai() const { return m_reussisPremierEssai; }
    int Essais() const { return m_essais; } // answers checked on the current item
    bool HorlogeEnMarche() const { return m_horlogeEnMarche; }
    int TempsItem() const { return m_tempsItem; }
    int TempsTotal() const { return m_tempsTotal; }
    // The line of the current item while the pupil retries it, kept until it is whole; empty
    // when none is open.
    const QString& LigneOuverte() const { return m_ligneOuverte; }
    // The running clock: the time of the items done and of the current one.
    int TempsAffiche() const { return m_tempsTotal + m_tempsItem; }

private:
    bool TirerItem();

    QVector<ItemExercice> m_items;
    int m_nbItemsDossier = 0;
    QString m_item;
    QString m_cheminItem; // the current item's Chemin
    int m_pointsEnJeu = PointsItemNouveau;
    int m_score = 0;
    int m_reussisPremierEssai = 0;
    int m_essais = 0;
    bool m_premiereEcoute = false;
    bool m_horlogeEnMarche = false;
    int m_tempsItem = 0;
    int m_tempsTotal = 0;
    bool m_enCours = false;
    QString m_ligneOuverte;
    BilansExercice m_bilans;
    QString m_dossier;
};
