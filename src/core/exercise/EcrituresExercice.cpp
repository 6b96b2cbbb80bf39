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

void LigneResumeEleve(bool termine, int score, int maxi) {
    if (EleveNomme())
        AjouterLigne(FichierEleve(QString::fromLatin1(SuffixeExos)),
                     LigneResume(Services::Horloge().DateCourte(), termine, QString::number(score),
                                 QString::number(maxi), NomDossierCourant()));
}

} // namespace

void EcrireEnTeteExercice(int nbItems) {
    const QString ligne =
        LigneEnTete(Services::Horloge().DateCourte(), Services::Horloge().HeureLongue(), nbItems,
                    NomDossierCourant());
    if (EleveNomme())
        AjouterLigne(Detail(), ligne);
    AjouterLigne(Etat.FichierJournal, LigneRegle());
    AjouterLigne(Etat.FichierJournal, ligne);
}

void EcrireReponseJuste(const QString& tape, int tempsItem, int essais, bool nouveau) {
    const QString duree = FormaterDuree(tempsItem, false);
    if (essais > 1) {
        LigneDetailEtJournal(FinLigneRatee(duree, essais));
        return;
    }
    LigneDetailEtJournal(LigneJustePremierEssai(tape, duree, !nouveau));
    if (nouveau)
        NoterReussite(tape);
}

void EcrireReponseFausse(const QString& fichierSon, const QString& tape, int essais) {
    const QString ecrit = tape.isEmpty() ? QStringLiteral("...") : tape;
    if (essais == 1) {
        const QString attendu = TexteAttendu(fichierSon);
        NoterEchec(attendu);
        TexteDetailEtJournal(DebutLigneRatee(attendu, ecrit));
    } else {
        TexteDetailEtJournal(SuiteLigneRatee(ecrit));
    }
}

void EcrireFinExercice(int tempsTotal, int score, int maxi) {
    for (const QString& l : LignesFinExercice(FormaterDuree(tempsTotal, false),
                                              QString::number(score), QString::number(maxi)))
        LigneDetailEtJournal(l);
    LigneResumeEleve(true, score, maxi);
}

void EcrireInterruption(int tempsTotal, int score, int maxi) {
    for (const QString& l : LignesInterruption(FormaterDuree(tempsTotal, false)))
        LigneDetailEtJournal(l);
    LigneResumeEleve(false, score, maxi);
}
