#include "core/exercise/SessionExercice.h"

#include "core/Etat.h"
#include "core/Services.h"
#include "core/exercise/DecodageItem.h"
#include "core/exercise/EcrituresExercice.h"
#include "core/exercise/ItemsExercice.h"
#include "core/exercise/TirageItems.h"
#include "core/records/Durees.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

QChar LettreEtat(EtatItem etat) {
    switch (etat) {
    case EtatItem::Nouveau:
        return u'N';
    case EtatItem::Repris:
        return u'R';
    case EtatItem::Reussi:
        return u'O';
    }
    return u'N';
}

void SessionExercice::Ouvrir(const QString& dossier, const BilansExercice& bilans) {
    *this = SessionExercice();
    m_enCours = true;
    m_bilans = bilans;
    m_dossier = dossier;
    const QStringList noms = ItemsARetravailler(dossier, m_nbItemsDossier, bilans.Historique);
    m_items.reserve(noms.size());
    for (const QString& nom : noms)
        m_items.append({nom, EtatItem::Nouveau, {}});
}

void SessionExercice::OuvrirListe(const QStringList& sons, const BilansExercice& bilans) {
    *this = SessionExercice();
    m_enCours = true;
    m_bilans = bilans;
    for (const QString& son : sons)
        m_items.append({QFileInfo(son).fileName(), EtatItem::Nouveau, son});
    m_nbItemsDossier = NbItems();
}

void SessionExercice::GarderItemsTires(int nombre) {
    // Asking for as many or more than there is would draw from an empty list: keep them all.
    if (nombre < 0 || nombre >= NbItems())
        return;
    // Drawn by path where items have one: a list may hold one name in two folders.
    QStringList offerts;
    QHash<QString, ItemExercice> parCle;
    for (const ItemExercice& item : std::as_const(m_items)) {
        const QString cle = item.Chemin.isEmpty() ? item.Nom : item.Chemin;
        offerts.append(cle);
        parCle.insert(cle, {item.Nom, EtatItem::Nouveau, item.Chemin});
    }
    m_items.clear();
    for (const QString& cle : TirerItems(offerts, nombre))
        m_items.append(parCle.value(cle));
}

bool SessionExercice::Commencer() {
    if (!TirerItem())
        return false;
    EcrireEnTeteExercice(m_bilans, NbItems());
    m_reussisPremierEssai = 0;
    return true;
}

QString SessionExercice::CheminItemCourant() const {
    if (m_item.isEmpty())
        return {};
    return m_cheminItem.isEmpty() ? QDir(m_dossier).filePath(m_item) : m_cheminItem;
}

bool SessionExercice::TirerItem() {
    m_premiereEcoute = true;
    m_essais = 0;
    QList<int> restants;
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items.at(i).Etat != EtatItem::Reussi)
            restants.append(i);
    if (restants.isEmpty()) {
        m_item.clear();
        m_cheminItem.clear();
        return false;
    }
    const ItemExercice& tire =
        m_items.at(restants.at(Services::Hasard().Tirer(static_cast<int>(restants.size()))));
    m_item = tire.Nom;
    m_cheminItem = tire.Chemin;
    m_pointsEnJeu = tire.Etat == EtatItem::Nouveau ? PointsItemNouveau : PointsItemRepris;
    return true;
}

bool SessionExercice::Ecouter() {
    if (!m_premiereEcoute)
        return false;
    m_premiereEcoute = false;
    m_tempsItem = 0;
    m_horlogeEnMarche = true;
    return true;
}

void SessionExercice::CompterUneSeconde() {
    if (m_horlogeEnMarche)
        ++m_tempsItem;
}

Verdict SessionExercice::Repondre(const QString& tape) {
    Verdict v;
    v.Essai = ++m_essais;
    v.Juste = ReponseJuste(tape, m_item);
    if (!v.Juste) {
        m_ligneOuverte = LigneApresReponseFausse(m_bilans, m_ligneOuverte, m_item, tape, m_essais);
        // Fewer points at each attempt; an item that came back has only its one point to lose.
        if (m_pointsEnJeu <= PointsItemRepris)
            m_pointsEnJeu = 0;
        else
            m_pointsEnJeu = m_essais == 1 ? 3 : m_essais == 2 ? 2 : m_essais == 3 ? 1 : 0;
        v.Montrer = m_essais == 1   ? Correction::EssaieEncore
                    : m_essais == 2 ? Correction::ModeleFugace
                    : m_essais == 3 ? Correction::ModeleAObserver
                                    : Correction::ModeleQuiReste;
        v.Modele = ModeleReponse(m_item);
        return v;
    }

    m_horlogeEnMarche = false;
    m_tempsTotal += m_tempsItem;
    EcrireReponseJuste(m_bilans, tape, m_tempsItem, m_essais, m_pointsEnJeu == PointsItemNouveau,
                       m_ligneOuverte);
    m_ligneOuverte.clear();
    m_tempsItem = 0; // counted: a quit before the next listen must not add it again
    for (ItemExercice& item : m_items) {
        if (item.Etat == EtatItem::Reussi || item.Nom != m_item || item.Chemin != m_cheminItem)
            continue;
        m_score += m_pointsEnJeu;
        if (m_essais == 1) {
            item.Etat = EtatItem::Reussi;
            ++m_reussisPremierEssai;
        } else {
            item.Etat = EtatItem::Repris;
        }
        break;
    }
    v.Termine = !TirerItem();
    return v;
}

void SessionExercice::Terminer() {
    m_enCours = false;
    EcrireFinExercice(m_bilans, m_tempsTotal, m_score, ScoreMaxi());
}

void SessionExercice::Interrompre() {
    m_enCours = false;
    m_horlogeEnMarche = false;
    m_tempsTotal += m_tempsItem;
    EcrireInterruption(m_bilans, m_tempsTotal, m_score, ScoreMaxi(), m_ligneOuverte);
    m_ligneOuverte.clear(); // written: a second interruption must not write it again
}

QString SessionExercice::QuestionFin() const {
    return QStringLiteral("Bravo ") + Etat.NomEleve + QStringLiteral(" ! Exercice terminé en ") +
           FormaterDuree(m_tempsTotal, false) + QStringLiteral(",\navec un score de ") +
           QString::number(m_score) +
           QStringLiteral(" points.\n\nVeux-tu en sélectionner un autre ?");
}

bool SessionExercice::ProposerBilan() const {
    return Etat.ImpressionAutorisee && !Etat.NomEleve.isEmpty();
}
