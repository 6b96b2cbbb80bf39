#include "core/exercise/EcrituresExercice.h"

#include "core/Chemins.h"
#include "core/Etat.h"
#include "core/Services.h"
#include "core/Texte.h"
#include "core/exercise/DecodageItem.h"
#include "core/records/Durees.h"
#include "core/records/FichiersEleve.h"
#include "core/records/LignesBilan.h"
#include "core/records/Reussites.h"

BilansExercice BilansExercice::DuProgramme(const QString& dossierExercice) {
    BilansExercice b;
    if (!Etat.NomEleve.isEmpty()) {
        b.Detail = FichierEleve(QString::fromLatin1(SuffixeDetail));
        b.Exos = FichierEleve(QString::fromLatin1(SuffixeExos));
        b.Historique = true;
    }
    b.Journal = Etat.FichierJournal;
    // A line's piece: a control character in the folder's name must not end the line.
    b.Dossier = SurUneLigne(DernierComposant(dossierExercice));
    return b;
}

namespace {

// Each file gets the lines in one write.
void LignesDetailEtJournal(const BilansExercice& bilans, const QStringList& lignes) {
    if (!bilans.Detail.isEmpty())
        AjouterLignes(bilans.Detail, lignes);
    if (!bilans.Journal.isEmpty())
        AjouterLignes(bilans.Journal, lignes);
}

void LigneResumeEleve(const BilansExercice& bilans, bool termine, int score, int maxi) {
    if (!bilans.Exos.isEmpty())
        AjouterLigne(bilans.Exos,
                     LigneResume(Services::Horloge().DateCourte(), termine, QString::number(score),
                                 QString::number(maxi), bilans.Dossier));
}

} // namespace

void EcrireEnTeteExercice(const BilansExercice& bilans, int nbItems) {
    const QString ligne = LigneEnTete(Services::Horloge().DateCourte(),
                                      Services::Horloge().HeureLongue(), nbItems, bilans.Dossier);
    if (!bilans.Detail.isEmpty())
        AjouterLignesSurLigneNeuve(bilans.Detail, {ligne});
    if (!bilans.Journal.isEmpty())
        AjouterLignesSurLigneNeuve(bilans.Journal, {LigneRegle(), ligne});
}

void EcrireReponseJuste(const BilansExercice& bilans, const QString& tape, int tempsItem,
                        int essais, bool nouveau, const QString& ligneOuverte) {
    const QString duree = FormaterDuree(tempsItem, false);
    if (essais > 1) {
        LignesDetailEtJournal(bilans, {ligneOuverte + FinLigneRatee(duree, essais)});
        return;
    }
    LignesDetailEtJournal(bilans, {LigneJustePremierEssai(SurUneLigne(tape), duree, !nouveau)});
    if (nouveau && bilans.Historique)
        NoterReussite(tape);
}

QString LigneApresReponseFausse(const BilansExercice& bilans, const QString& ligneOuverte,
                                const QString& fichierSon, const QString& tape, int essais) {
    // What was typed is written as it was, but a pasted line end or escape must not forge a
    // line of its own.
    const QString ecrit = tape.isEmpty() ? QStringLiteral("...") : SurUneLigne(tape);
    if (essais > 1)
        return ligneOuverte + SuiteLigneRatee(ecrit);
    const QString attendu = TexteAttendu(fichierSon);
    // The history knows the item by its answer, codes decoded ("l'eau", not "l#apo#eau");
    // the record line keeps the name as the folder spells it.
    if (bilans.Historique)
        NoterEchec(DecoderNomItem(attendu));
    return DebutLigneRatee(attendu, ecrit);
}

void EcrireFinExercice(const BilansExercice& bilans, int tempsTotal, int score, int maxi) {
    LignesDetailEtJournal(bilans, LignesFinExercice(FormaterDuree(tempsTotal, false),
                                                    QString::number(score), QString::number(maxi)));
    LigneResumeEleve(bilans, true, score, maxi);
}

void EcrireInterruption(const BilansExercice& bilans, int tempsTotal, int score, int maxi,
                        const QString& ligneOuverte) {
    QStringList lignes = LignesInterruption(FormaterDuree(tempsTotal, false));
    // The empty first line is where the open line ends.
    if (!ligneOuverte.isEmpty())
        lignes.first() = ligneOuverte;
    LignesDetailEtJournal(bilans, lignes);
    LigneResumeEleve(bilans, false, score, maxi);
}
