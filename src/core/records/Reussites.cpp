#include "core/records/Reussites.h"

#include "core/Chemins.h"
#include "core/Etat.h"
#include "core/FichierTexte.h"
#include "core/Services.h"
#include "core/Texte.h"
#include "core/records/FichiersEleve.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

QString CleReussite(const QString& texte) {
    // The comparison form every other reader of the history keys (the progress views) uses.
    return FormeComparaison(texte);
}

int DernierCompte(const QString& compteurs) {
    int n = 0;
    if (!LireEntier(compteurs.mid(compteurs.lastIndexOf(u'-') + 1), n) || n < 0)
        return 0;
    return n;
}

int PremierCompte(const QString& compteurs) {
    qint64 n = 0;
    for (const QChar c : compteurs) {
        if (c.unicode() < '0' || c.unicode() > '9')
            break;
        n = std::min<qint64>(n * 10 + (c.unicode() - '0'), 1'000'000'000);
    }
    return static_cast<int>(n);
}

namespace {

EntreeReussite* Trouver(const QString& cle) {
    for (EntreeReussite& e : Etat.ListeReussites)
        if (e.Cle == cle)
            return &e;
    return nullptr;
}

QVector<EntreeReussite> Entrees(const QByteArray& contenu) {
    const QStringList lignes = DecouperLignes(DecoderTexte(contenu));
    QVector<EntreeReussite> entrees;
    entrees.reserve(lignes.size());
    for (const QString& ligne : std::as_const(lignes)) {
        if (Rogner(ligne).isEmpty())
            continue; // an empty line a hand edit left holds no item
        const qsizetype barre = ligne.indexOf(u'|');
        EntreeReussite e;
        e.Cle = CleReussite(barre < 0 ? ligne : ligne.left(barre));
        e.Compteurs = barre < 0 ? QString() : ligne.mid(barre + 1);
        entrees.append(e);
    }
    return entrees;
}

void Adopter(QVector<EntreeReussite> entrees) {
    Etat.ListeReussites = std::move(entrees);
    Etat.NbItemsDejaReussis = static_cast<int>(
        std::count_if(Etat.ListeReussites.cbegin(), Etat.ListeReussites.cend(),
                      [](const EntreeReussite& e) { return PremierCompte(e.Compteurs) > 0; }));
}

// What the file holds now, with this run's changes over it: a changed entry takes this run's
// counts (the first line of its key, which is the one every lookup reads), or comes last when
// the file no longer has it; every other line keeps what the file says.
QVector<EntreeReussite> Fusionner(QVector<EntreeReussite> fichier) {
    QHash<QString, qsizetype> premiere;
    premiere.reserve(fichier.size());
    for (qsizetype i = fichier.size() - 1; i >= 0; --i)
        premiere.insert(fichier.at(i).Cle, i); // walking back leaves the first of each key
    for (const EntreeReussite& e : std::as_const(Etat.ListeReussites)) {
        if (!e.Modifiee)
            continue;
        EntreeReussite ecrite = e;
        ecrite.Modifiee = false;
        const auto it = premiere.constFind(e.Cle);
        if (it != premiere.constEnd()) {
            fichier[*it] = ecrite;
        } else {
            premiere.insert(e.Cle, fichier.size());
            fichier.append(ecrite);
        }
    }
    return fichier;
}

} // namespace

void NoterReussite(const QString& texte) {
    if (Etat.NomEleve.isEmpty() || texte.isEmpty())
        return;
    const QString cle = CleReussite(texte);
    if (EntreeReussite* e = Trouver(cle)) {
        const qsizetype tiret = e->Compteurs.lastIndexOf(u'-');
        // An unreadable last count restarts the run at 1 rather than failing mid-answer.
        e->Compteurs =
            e->Compteurs.left(tiret + 1) + QString::number(DernierCompte(e->Compteurs) + 1);
        e->Modifiee = true;
        return;
    }
    Etat.ListeReussites.append({Services::Horloge().DateCourte(), cle, QStringLiteral("1"), true});
}

void NoterEchec(const QString& texte) {
    if (Etat.NomEleve.isEmpty() || texte.isEmpty())
        return;
    if (EntreeReussite* e = Trouver(CleReussite(texte))) {
        if (!e->Compteurs.endsWith(QStringLiteral("-0"))) {
            e->Compteurs += QStringLiteral("-0");
            e->Modifiee = true;
        }
    }
}

bool ChargerReussites() {
    Etat.ListeReussites.clear();
    Etat.NbItemsDejaReussis = 0;
    // Whatever happens next, the table no longer speaks for the file it came from: an empty
    // table saved there would wipe that pupil's history.
    Etat.ReussitesChargees = false;
    Etat.FichierReussites.clear();
    if (Etat.NomEleve.isEmpty())
        return true;

    const QString fichier =
        QFileInfo(ResoudreChemin(FichierEleve(QString::fromLatin1(SuffixeHistorique))))
            .absoluteFilePath();
    QByteArray contenu;
    QString raison;
    if (!LireFichier(fichier, contenu, &raison) && !raison.isEmpty()) {
        Services::Messages().Erreur(
            QStringLiteral("Impossible de lire la liste des items réussis « %1 » : %2")
                .arg(QDir::toNativeSeparators(fichier), raison));
        return false;
    }
    LireReussites(contenu);
    Etat.FichierReussites = fichier;
    Etat.ReussitesChargees = true;
    return true;
}

void LireReussites(const QByteArray& contenu) {
    Adopter(Entrees(contenu));
}

bool EnregistrerReussites() {
    if (Etat.NomEleve.isEmpty() || !Etat.ReussitesChargees)
        return false;
    // A pupil the teacher deleted meanwhile stays deleted: the save does not bring him back.
    if (!QFileInfo(Etat.FichierReussites).isFile())
        return false;
    // Nothing changed since the last save: writing the table back would only undo what another
    // computer, or the teacher's editor, changed in the file meanwhile.
    if (std::none_of(Etat.ListeReussites.cbegin(), Etat.ListeReussites.cend(),
                     [](const EntreeReussite& e) { return e.Modifiee; }))
        return true;
    // Read again just before writing: the other lines are the file's, not this run's old copy.
    QByteArray actuel;
    if (!LireFichier(Etat.FichierReussites, actuel))
        return false; // what cannot be read cannot be kept: the changes wait for the next save
    QVector<EntreeReussite> fusion = Fusionner(Entrees(actuel));
    QString texte;
    for (const EntreeReussite& e : std::as_const(fusion))
        texte += e.Cle + u'|' + e.Compteurs + QStringLiteral("\r\n");
    if (!RemplacerFichier(Etat.FichierReussites,
                          ContenuDansLEncodageDe(Etat.FichierReussites, texte)))
        return false;
    Adopter(std::move(fusion));
    return true;
}
