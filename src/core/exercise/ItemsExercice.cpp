#include "core/exercise/ItemsExercice.h"

#include "core/Chemins.h"
#include "core/Etat.h"
#include "core/Texte.h"
#include "core/exercise/DecodageItem.h"
#include "core/records/Reussites.h"
#include "core/setup/ListesDepart.h"

#include <QDir>
#include <QHash>

QString CleItem(const QString& fichier) {
    QString cle = MinusculesAZ(Rogner(Compose(fichier)));
    cle.remove(QStringLiteral(".wav"));
    return DecoderNomItem(cle);
}

namespace {

// The run of successes that decides mastery; the first history entry with the key counts.
bool ARetravailler(const QString& fichier, const QHash<QString, int>* index) {
    const std::optional<int> necessaires = Etat.ReponsesNecessaires;
    if (Etat.NomEleve.isEmpty() || !necessaires || *necessaires >= ReponsesSansLimite)
        return true;
    const QString cle = CleItem(fichier);
    int n = 0;
    if (index) {
        const auto it = index->constFind(cle);
        if (it != index->constEnd())
            n = DernierCompte(Etat.ListeReussites.at(*it).Compteurs);
    } else {
        for (const EntreeReussite& e : std::as_const(Etat.ListeReussites))
            if (e.Cle == cle) { // keys are stored trimmed and folded
                n = DernierCompte(e.Compteurs);
                break;
            }
    }
    return n < *necessaires;
}

bool EstUnSon(const QString& nom) {
    const qsizetype point = nom.lastIndexOf(u'.');
    return point >= 0 && MajusculesAZ(nom.mid(point)) == u".WAV";
}

} // namespace

bool ItemARetravailler(const QString& fichier) {
    return ARetravailler(fichier, nullptr);
}

QStringList ItemsARetravailler(const QString& dossier, int& nbSons, bool selonHistorique) {
    nbSons = 0;
    QStringList noms = QDir(dossier).entryList(QDir::Files | QDir::Hidden); // no broken links
    TrierPourLesGens(noms);

    // One pass over the history instead of one per file: a pupil's years of history meet
    // folders of thousands of items.
    // QHash::insert replaces, so walking backwards leaves the first entry of each key.
    QHash<QString, int> index;
    index.reserve(Etat.ListeReussites.size());
    for (int i = Etat.ListeReussites.size() - 1; i >= 0; --i)
        index.insert(Etat.ListeReussites.at(i).Cle, i); // keys are stored trimmed and folded

    QStringList items;
    for (const QString& nom : std::as_const(noms)) {
        if (!EstUnSon(nom))
            continue;
        ++nbSons;
        if (!selonHistorique || ARetravailler(nom, &index))
            items.append(nom);
    }
    return items;
}

QString NomDossierCourant() {
    return DernierComposant(Etat.Choix.DossierExercice);
}
