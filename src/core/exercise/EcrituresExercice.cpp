#include "core/exercise/EcrituresExercice.h"

#include "core/Etat.h"
#include "core/Services.h"
#include "core/Texte.h"
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

// The folder's name goes into the records as a line's piece: a control character in it must
// not end the line.
QString Dossier() {
    return SurUneLigne(NomDossierCourant());
}

void LigneResumeEleve(bool termine, int score, int maxi) {
    if (EleveNomme())
        AjouterLigne(FichierEleve(QString::fromLatin1(SuffixeExos)),
                     LigneResume(Services::Horloge().DateCourte(), termine, QString::number(score),
                                 QString::number(maxi), Dossier()));
}

} // namespace

void EcrireEnTeteExercice(int nbItems) {
    const QString ligne = LigneEnTete(Services::Horloge().DateCourte(),
                                      Services::Horloge().HeureLongue(), nbItems, Dossier());
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
    LignesDetailEtJournal({LigneJustePremierEssai(SurUneLigne(tape), duree, !nouveau)});
    if (nouveau)
        NoterReussite(tape);
}

QString LigneApresReponseFausse(const QString& ligneOuverte, const QString& fichierSon,
                                const QString& tape, int essais) {
    // What was typed is written as it was, but a pasted line end or escape must not forge a
    // line of its own.
    const QString ecrit = tape.isEmpty() ? QStringLiteral("...") : SurUneLigne(tape);
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
