#include "core/exercise/EcrituresExercice.h"

#include "core/Etat.h"
#include "core/Services.h"
#include "core/exercise/DecodageItem.h"
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

// Each file gets the lines in one write.
void LignesDetailEtJournal(const QStringList& lignes) {
    if (EleveNomme())
        AjouterLignes(Detail(), lignes);
    AjouterLignes(Etat.FichierJournal, lignes);
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
        AjouterLignesSurLigneNeuve(Detail(), {ligne});
    AjouterLignesSurLigneNeuve(Etat.FichierJournal, {LigneRegle(), ligne});
}

void EcrireReponseJuste(const QString& tape, int tempsItem, int essais, bool nouveau,
                        const QString& ligneOuverte) {
    const QString duree = FormaterDuree(tempsItem, false);
    if (essais > 1) {
        LignesDetailEtJournal({ligneOuverte + FinLigneRatee(duree, essais)});
        return;
    }
    LignesDetailEtJournal({LigneJustePremierEssai(tape, duree, !nouveau)});
    if (nouveau)
        NoterReussite(tape);
}

QString LigneApresReponseFausse(const QString& ligneOuverte, const QString& fichierSon,
                                const QString& tape, int essais) {
    const QString ecrit = tape.isEmpty() ? QStringLiteral("...") : tape;
    if (essais > 1)
        return ligneOuverte + SuiteLigneRatee(ecrit);
    const QString attendu = TexteAttendu(fichierSon);
    // The history knows the item by its answer, codes decoded ("l'eau", not "l#apo#eau");
    // the record line keeps the name as the folder spells it.
    NoterEchec(DecoderNomItem(attendu));
    return DebutLigneRatee(attendu, ecrit);
}

void EcrireFinExercice(int tempsTotal, int score, int maxi) {
    LignesDetailEtJournal(LignesFinExercice(FormaterDuree(tempsTotal, false),
                                            QString::number(score), QString::number(maxi)));
    LigneResumeEleve(true, score, maxi);
}

void EcrireInterruption(int tempsTotal, int score, int maxi, const QString& ligneOuverte) {
    QStringList lignes = LignesInterruption(FormaterDuree(tempsTotal, false));
    // The empty first line is where the open line ends.
    if (!ligneOuverte.isEmpty())
        lignes.first() = ligneOuverte;
    LignesDetailEtJournal(lignes);
    LigneResumeEleve(false, score, maxi);
}
