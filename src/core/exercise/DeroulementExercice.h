#pragma once
// The correction of one answer, step by step: which sound, which message at which attempt, when
// the model answer shows and for how long. The exercise window and the studio's trial both run
// it through the small interface a screen gives it (IFaceExercice), so the trial corrects
// exactly as a real exercise does; only the records it is handed differ.

#include "core/exercise/Corrige.h"

#include <QString>

class SessionExercice;

// Plays an effect sound of the program folder ("juste.wav", "fin.wav"...) when the effects are
// on and it is there; false when nothing plays.
bool JouerEffet(const QString& nom);

struct Verdict;

// What a screen does for the correction.
class IFaceExercice {
public:
    virtual ~IFaceExercice() = default;
    // An effect sound of the program folder ("juste.wav", "faux.wav").
    virtual void Effet(const QString& nom) = 0;
    // The feedback box with `texte`, smiling (`bon`) or not, and under it the hint when there
    // is one, until the pupil answers it. false when the screen was closed meanwhile: the
    // correction stops there.
    virtual bool Appreciation(const QString& texte, bool bon, const QString& indice) = 0;
    // The model answer shown, with the pupil's answer marked above it when `corrige` has one;
    // an empty model takes both away.
    virtual void Modele(const QString& modele, const CorrigeReponse& corrige) = 0;
    // The score, the points in play, the clock, as the session has them now.
    virtual void AfficherSession() = 0;
    // After a wrong answer: back to the answer field, its text selected.
    virtual void Reessayer() = 0;
    // After a right answer: the answer cleared and the next item ready to be heard.
    virtual void ItemSuivant() = 0;
    // A right answer on the last item: the exercise's end.
    virtual void Fin() = 0;
};

class DeroulementExercice {
public:
    // How long the model answer shows at the second attempt.
    static constexpr int DureeModeleFugaceMs = 1000;

    DeroulementExercice(SessionExercice& session, IFaceExercice& face)
        : m_session(session), m_face(face) {}

    // The pupil's answer to the current item: checked and recorded by the session, then
    // corrected on the screen.
    void Repondre(const QString& tape);

private:
    void Juste();
    void Fausse(const Verdict& verdict, const QString& tape);

    SessionExercice& m_session;
    IFaceExercice& m_face;
};
