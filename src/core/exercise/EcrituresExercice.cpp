#include "core/exercise/EcrituresExercice.h"

#include "core/Etat.h"
#include "core/Services.h"
#include "core/exercise/ItemsExercice.h"
#include "core/records/Durees.h"
#include "core/records/FichiersEleve.h"
#include "core/records/LignesBilan.h"
#include "core/records/Reussites.h"

namespace {

bool EleveNomme() {
    return !Etat.NomEleve.isEmpty();
}
QString Detail() {
    return FichierEleve(QString::fromLatin1(SuffixeDetail));
}

void LigneDetailEtJournal(const QString& ligne) {
    if (EleveNomme())
        AjouterLigne(Detail(), ligne);
    AjouterLigne(Etat.FichierJournal, ligne);
}

void TexteDetailEtJournal(const QString& texte) {
    if (EleveNomme())
        AjouterTexte(Detail(), texte);
    AjouterTexte(Etat.FichierJournal, texte);
}

void LigneResumeEleve(bool termine, const QString& score, const QString& maxi) {
    if (EleveNomme())
        AjouterLigne(FichierEleve(QString::fromLatin1(SuffixeExos)),
                     LigneResume(Services::Horloge().DateCourte(), termine, score, maxi,
                                 NomDossierCourant()));
}

} // namespace

void EcrireEnTeteExercice() {
    const QString ligne =
        LigneEnTete(Services::Horloge().DateCourte(), Services::Horloge().HeureLongue(),
                    Etat.NbItems, NomDossierCourant());
    if (EleveNomme())
        AjouterLigne(Detail(), ligne);
    AjouterLigne(Etat.FichierJournal, LigneRegle());
    AjouterLigne(Etat.FichierJournal, ligne);
}

void EcrireReponseJuste(const QString& tape, const QString& bonus) {
    const QString duree = FormaterDuree(Etat.TempsItem, false);
    if (Etat.NbEssais > 1) {
        LigneDetailEtJournal(FinLigneRatee(duree, Etat.NbEssais));
        return;
    }
    const bool nouveau = bonus.trimmed() == u"5";
    LigneDetailEtJournal(LigneJustePremierEssai(tape, duree, !nouveau));
    if (nouveau)
        NoterReussite(tape);
}

void EcrireReponseFausse(const QString& tape) {
    const QString ecrit = tape.isEmpty() ? QStringLiteral("...") : tape;
    if (Etat.NbEssais == 1) {
        const QString attendu = TexteAttendu(Etat.FichierSon);
        NoterEchec(attendu);
        TexteDetailEtJournal(DebutLigneRatee(attendu, ecrit));
    } else {
        TexteDetailEtJournal(SuiteLigneRatee(ecrit));
    }
}

void EcrireFinExercice(const QString& score, const QString& maxi) {
    for (const QString& l : LignesFinExercice(FormaterDuree(Etat.TempsTotal, false), score, maxi))
        LigneDetailEtJournal(l);
    LigneResumeEleve(true, score, maxi);
}

void EcrireInterruption(const QString& score, const QString& maxi) {
    for (const QString& l : LignesInterruption(FormaterDuree(Etat.TempsTotal, false)))
        LigneDetailEtJournal(l);
    LigneResumeEleve(false, score, maxi);
}
