#include "core/exercise/DeroulementExercice.h"

#include "core/Chemins.h"
#include "core/Etat.h"
#include "core/Services.h"
#include "core/exercise/DecodageItem.h"
#include "core/exercise/Erreurs.h"
#include "core/exercise/SessionExercice.h"

#include <QFile>

bool JouerEffet(const QString& nom) {
    if (!Etat.Bruitage)
        return false;
    const QString chemin = ResoudreChemin(Etat.DossierProgramme + nom);
    if (!QFile::exists(chemin))
        return false;
    ISon& son = Services::Son();
    son.DefinirFichier(chemin);
    if (!son.Ouvrir(nullptr))
        return false; // a damaged effect sound is skipped like a missing one
    son.Jouer();
    return true;
}

void DeroulementExercice::Repondre(const QString& tape) {
    const Verdict verdict = m_session.Repondre(tape);
    if (verdict.Juste)
        Juste();
    else
        Fausse(verdict, tape);
}

void DeroulementExercice::Juste() {
    m_face.Effet(QStringLiteral("juste.wav"));
    if (!m_face.Appreciation(QStringLiteral("C'est bien, continue."), true, {}))
        return;
    m_face.AfficherSession();
    m_face.Modele({}, {});
    m_face.ItemSuivant();
    if (m_session.ItemCourant().isEmpty())
        m_face.Fin();
}

void DeroulementExercice::Fausse(const Verdict& verdict, const QString& tape) {
    const QString& modele = verdict.Modele;
    // The answer compared with the spellings the judge accepted, for the hint of the first
    // attempt and the corrigé above the model at the later ones. The item is the same one
    // until it is answered right; only its file name carries the spellings.
    const QString item = m_session.ItemCourant();
    const AnalyseErreurs analyse =
        AnalyserReponse(tape, ReponsesAcceptees(item.mid(item.lastIndexOf(u'/') + 1)));
    CorrigeReponse corrige = Corriger(analyse);
    QString indice;
    if (Etat.Indices)
        indice = PhraseIndice(analyse);
    else
        corrige.Tape.clear(); // the model alone, as it always was; its words stay for the reader
    m_face.Effet(QStringLiteral("faux.wav"));
    m_face.AfficherSession();
    switch (verdict.Montrer) {
    case Correction::EssaieEncore:
        if (!m_face.Appreciation(QStringLiteral("Ce n'est pas la bonne réponse. Essaie encore."),
                                 false, indice))
            return;
        break;
    case Correction::ModeleFugace:
        if (!m_face.Appreciation(
                QStringLiteral("Non, la bonne réponse va s'afficher puis disparaître."), false, {}))
            return;
        m_face.Modele(modele, corrige);
        Services::Pause().Attendre(DureeModeleFugaceMs);
        m_face.Modele({}, {});
        break;
    case Correction::ModeleAObserver:
        if (!m_face.Appreciation(QStringLiteral("Observe la réponse, puis clique sur <OK>."), false,
                                 {}))
            return;
        m_face.Modele(modele, corrige);
        if (!m_face.Appreciation(QStringLiteral("J'essaie encore."), false, {}))
            return;
        m_face.Modele({}, {});
        break;
    case Correction::ModeleQuiReste:
        if (!m_face.Appreciation(QStringLiteral("Observe bien la réponse."), false, {}))
            return;
        m_face.Modele(modele, corrige);
        break;
    }
    m_face.Reessayer();
}
