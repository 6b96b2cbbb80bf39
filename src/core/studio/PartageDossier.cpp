#include "core/studio/PartageDossier.h"

#include "core/Texte.h"
#include "core/exercise/DecodageItem.h"
#include "core/exercise/TexteCompagnon.h"
#include "core/studio/NommageItem.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSet>
#include <QTemporaryDir>

namespace {

QString Extension(const QString& nom) {
    const qsizetype point = nom.lastIndexOf(u'.');
    return point < 0 ? QString() : MajusculesAZ(nom.mid(point));
}

// Why a file name from an archive is not one an exercise folder holds; empty when it is.
QString RefusNomFichier(const QString& nom) {
    const QString ext = Extension(nom);
    if (ext != u".WAV" && ext != u".TXT" && ext != u".JPG")
        return QStringLiteral("ce n'est pas un fichier d'exercice (.wav, .txt ou .jpg)");
    static const QString interdits = QStringLiteral("/\\:*?\"<>|");
    for (const QChar c : nom)
        if (c.unicode() < 32 || c.unicode() == 127 || interdits.contains(c))
            return QStringLiteral("son nom contient un caractère interdit");
    if (nom.toUtf8().size() > OctetsNomMax)
        return QStringLiteral("son nom est trop long");
    // The texts the name carries must be ones the studio could write.
    const NomItem item =
        NommerItem(ReponsesAcceptees(nom.left(nom.size() - 4) + QStringLiteral(".wav")));
    if (!item.Accepte())
        return item.Refus;
    return {};
}

QString RefusTaille(const QString& nom, qint64 octets) {
    if (Extension(nom) != u".TXT" || octets <= OctetsCompagnonMax)
        return {};
    return QStringLiteral("le texte fait %1 ko ; un texte d'accompagnement en fait %2 au plus")
        .arg((octets + 1023) / 1024)
        .arg(OctetsCompagnonMax / 1024);
}

// What a Mac adds to the archives it makes: its folder of resource forks, its window settings.
bool AjoutMac(const QStringList& parties, bool dossier) {
    return parties.first() == u"__MACOSX" || (!dossier && parties.last() == u".DS_Store");
}

QString Ecart(const QString& chemin, const QString& raison) {
    return QStringLiteral("« %1 » : %2").arg(chemin, raison);
}

// `prefixe` is the path to `dossier` as on disk, `normalise` as the import will make it.
void Lister(const QDir& dossier, const QString& prefixe, const QString& normalise,
            ContenuExport& contenu, QSet<QString>& vus) {
    const QFileInfoList entrees = dossier.entryInfoList(
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& e : entrees) {
        const QString nom = e.fileName();
        const QString chemin = prefixe + nom;
        // Hidden: a dotted folder (the trash) or a dotted file that is not an item; an item
        // whose text starts with a dot ("...et voilà") is one like the others.
        const bool cache = nom.startsWith(u'.') && (e.isDir() || e.isSymLink() ||
                                                    !RefusNomFichier(TexteSaisi(nom)).isEmpty());
        if (cache)
            continue;
        if (e.isSymLink()) {
            contenu.Ecartes.append(Ecart(chemin, QStringLiteral("c'est un lien")));
        } else if (e.isDir()) {
            const QString refus = RefusNomDossier(nom);
            if (refus.isEmpty())
                Lister(QDir(e.filePath()), chemin + u'/',
                       normalise + NomDossierNormalise(nom) + u'/', contenu, vus);
            else
                contenu.Ecartes.append(Ecart(chemin + u'/', refus));
        } else if (!e.isFile()) {
            contenu.Ecartes.append(
                Ecart(chemin, QStringLiteral("ce n'est pas un fichier ordinaire")));
        } else {
            QString refus = RefusNomFichier(TexteSaisi(nom));
            if (refus.isEmpty())
                refus = RefusTaille(nom, e.size());
            // The import takes names as typed text and whatever their letter case.
            const QString cle = (normalise + TexteSaisi(nom)).toCaseFolded();
            if (refus.isEmpty() && vus.contains(cle))
                refus = QStringLiteral("un autre fichier porte ce nom à une majuscule près");
            if (!refus.isEmpty()) {
                contenu.Ecartes.append(Ecart(chemin, refus));
                continue;
            }
            vus.insert(cle);
            contenu.Fichiers.append(chemin);
            contenu.Octets += e.size();
        }
    }
}

// The folders named ".importation-XXXXXX" (QTemporaryDir's six letters) in the root.
const QString prefixeImportation = QStringLiteral(".importation-");
// Inside each, held for as long as its import runs.
const QString nomVerrou = QStringLiteral(".verrou");
// No import runs that long, even 500 MB over a slow school network.
constexpr qint64 dureeImportMaxMs = 12LL * 3600 * 1000;
// A folder without its lock: the lock follows the folder within milliseconds, so it is one the
// import left between the two, or one an older program made (which took no lock); an hour is
// long past either.
constexpr qint64 delaiSansVerrouMs = 3600LL * 1000;

// Removes the temporary folders of imports that were killed (or whose computer went off) before
// they could remove them. The exercise root may be a shared folder where two teachers import at
// once, so a folder is removed only when its import is certainly over: its lock is taken over,
// which QLockFile allows when the process that holds it is gone from this computer, or when the
// lock is older than any import (the holder was another computer); a folder without a lock is
// removed only once it is an hour old. A folder that cannot be removed (another teacher's
// rights) is left as it is.
void RetirerImportationsAbandonnees(const QDir& racine) {
    const QFileInfoList dossiers =
        racine.entryInfoList({prefixeImportation + QStringLiteral("??????")},
                             QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& d : dossiers) {
        const QDir dossier(d.filePath());
        const QString verrou = dossier.filePath(nomVerrou);
        if (QFileInfo(verrou).exists()) {
            QLockFile v(verrou);
            v.setStaleLockTime(dureeImportMaxMs);
            if (v.tryLock(0)) {
                // Taken over, it is this import's to remove: no other import uses it any more.
                v.unlock();
                QDir(dossier).removeRecursively();
            }
        } else if (d.lastModified().msecsTo(QDateTime::currentDateTime()) > delaiSansVerrouMs) {
            QDir(dossier).removeRecursively();
        }
    }
}

} // namespace

ContenuExport FichiersAExporter(const QString& dossier) {
    ContenuExport contenu;
    QSet<QString> vus;
    const QDir d(dossier);
    Lister(d, d.dirName() + u'/', QString(), contenu, vus);
    return contenu;
}

QString TexteEcartes(const QStringList& ecartes) {
    if (ecartes.isEmpty())
        return {};
    // A few lines: the message box must fit the screen.
    constexpr int lignesMax = 8;
    QString texte = ecartes.size() == 1
                        ? QStringLiteral("Ce fichier n'a pas été exporté : une importation le "
                                         "refuserait.")
                        : QStringLiteral("Ces %1 fichiers n'ont pas été exportés : une importation "
                                         "les refuserait.")
                              .arg(ecartes.size());
    for (qsizetype i = 0; i < std::min<qsizetype>(ecartes.size(), lignesMax); ++i)
        texte += QStringLiteral("\n- ") + ecartes.at(i);
    if (ecartes.size() > lignesMax)
        texte += QStringLiteral("\n- et %1 autres.").arg(ecartes.size() - lignesMax);
    return texte;
}

bool ExporterDossier(const QString& dossier, const QString& zip, QString* raison,
                     QStringList* ecartes, const LimitesImport& limites) {
    auto echec = [raison](const QString& texte) {
        if (raison)
            *raison = texte;
        return false;
    };
    const ContenuExport contenu = FichiersAExporter(dossier);
    if (ecartes)
        *ecartes = contenu.Ecartes;
    const QString nom = QDir(dossier).dirName();
    const QString refus = RefusNomDossier(nom);
    if (!refus.isEmpty())
        return echec(QStringLiteral("Le dossier « %1 » ne peut pas être exporté sous ce nom, "
                                    "qu'une importation refuserait : %2")
                         .arg(nom, refus));
    if (contenu.Fichiers.isEmpty())
        return echec(QStringLiteral("Le dossier ne contient aucun fichier d'exercice : il n'y a "
                                    "rien à exporter."));
    if (contenu.Fichiers.size() > limites.EntreesMax)
        return echec(QStringLiteral("Le dossier contient %1 fichiers ; une importation en accepte "
                                    "%2 au plus. Partagez-le en plusieurs dossiers.")
                         .arg(contenu.Fichiers.size())
                         .arg(limites.EntreesMax));
    if (contenu.Octets > limites.OctetsMax)
        return echec(QStringLiteral("Le dossier pèse plus de %1 Mo, qu'une importation "
                                    "refuserait. Partagez-le en plusieurs dossiers.")
                         .arg(limites.OctetsMax / 1000000));
    QDir parent(dossier);
    parent.cdUp();
    QString erreur;
    if (Services::Archive().Ecrire(zip, parent.path(), contenu.Fichiers, &erreur))
        return true;
    return echec(QStringLiteral("L'exportation a échoué : %1.").arg(erreur));
}

PlanImport PlanifierImport(const QVector<EntreeArchive>& entrees, const QString& nomArchive,
                           const QStringList& existants, const LimitesImport& limites) {
    PlanImport plan;
    auto refuser = [&plan](const QString& texte) {
        plan = PlanImport();
        plan.Refus = texte;
        return plan;
    };
    if (entrees.size() > limites.EntreesMax)
        return refuser(QStringLiteral("L'archive contient %1 fichiers ; %2 au plus sont acceptés.")
                           .arg(entrees.size())
                           .arg(limites.EntreesMax));
    qint64 total = 0;
    // Each file kept, by its index, as its list of folder names and file name once normalised.
    QVector<std::pair<int, QStringList>> chemins;
    for (int index = 0; index < entrees.size(); ++index) {
        const EntreeArchive& e = entrees.at(index);
        const QString nom = e.Nom;
        const QString montre = QStringLiteral("« %1 »").arg(nom);
        if (e.Lien)
            return refuser(
                QStringLiteral("L'archive contient un lien, %1 : elle est refusée.").arg(montre));
        if (e.Taille < 0 || e.Taille > limites.OctetsMax - total)
            return refuser(QStringLiteral("L'archive est trop grosse une fois décompressée (plus "
                                          "de %1 Mo) : elle est refusée.")
                               .arg(limites.OctetsMax / 1000000));
        total += e.Taille;
        if (nom.startsWith(u'/') || nom.startsWith(u'\\') || (nom.size() >= 2 && nom.at(1) == u':'))
            return refuser(QStringLiteral("L'archive contient un chemin absolu, %1 : elle est "
                                          "refusée.")
                               .arg(montre));
        QStringList parties = QString(nom).replace(u'\\', u'/').split(u'/');
        if (e.Dossier && !parties.isEmpty() && parties.last().isEmpty())
            parties.removeLast();
        for (const QString& p : std::as_const(parties))
            if (p == u"..")
                return refuser(QStringLiteral("L'archive contient « .. » dans %1 : elle est "
                                              "refusée.")
                                   .arg(montre));
        if (parties.isEmpty() || parties.contains(QString()) || parties.contains(u"."))
            return refuser(QStringLiteral("L'archive contient un nom invalide, %1.").arg(montre));
        if (AjoutMac(parties, e.Dossier))
            continue;
        for (qsizetype i = 0; i < parties.size(); ++i) {
            const bool fichier = !e.Dossier && i == parties.size() - 1;
            // Names as the studio would have stored them typed: what a folder already holds is
            // then compared with them, and the files made bear them.
            QString& partie = parties[i];
            partie = fichier ? TexteSaisi(partie) : NomDossierNormalise(partie);
            QString refus = fichier ? RefusNomFichier(partie) : RefusNomDossier(partie);
            if (refus.isEmpty() && fichier)
                refus = RefusTaille(partie, e.Taille);
            if (!refus.isEmpty())
                return refuser(QStringLiteral("L'archive est refusée : %1 ne convient pas (%2).")
                                   .arg(montre, refus));
        }
        if (!e.Dossier)
            chemins.append({index, parties});
    }
    if (chemins.isEmpty())
        return refuser(QStringLiteral("L'archive ne contient aucun fichier d'exercice."));

    // One folder holding everything (as an export writes it), or loose files named after the
    // archive.
    QString racine = chemins.first().second.first();
    bool unDossier = true;
    for (const auto& c : std::as_const(chemins))
        if (c.second.size() < 2 || c.second.first() != racine)
            unDossier = false;
    if (!unDossier) {
        racine = NomDossierNormalise(QFileInfo(nomArchive).completeBaseName());
        const QString refus = RefusNomDossier(racine);
        if (!refus.isEmpty())
            return refuser(QStringLiteral("Le nom de l'archive ne peut pas devenir un nom de "
                                          "dossier : %1")
                               .arg(refus));
    }
    // A folder that looks the same on screen (a trailing blank, decomposed accents) is one.
    for (const QString& e : existants)
        if (NomDossierNormalise(e).compare(racine, Qt::CaseInsensitive) == 0)
            return refuser(QStringLiteral("Un dossier « %1 » existe déjà parmi les exercices : "
                                          "renommez-le ou supprimez-le avant d'importer.")
                               .arg(e));
    plan.Dossier = racine;
    QSet<QString> vus;
    QSet<QString> dossiers;
    for (auto [index, c] : std::as_const(chemins)) {
        if (unDossier)
            c.removeFirst();
        const QString relatif = c.join(u'/');
        const QString cle = relatif.toCaseFolded();
        if (vus.contains(cle))
            return refuser(QStringLiteral("L'archive contient deux fois « %1 » (à une majuscule "
                                          "près) : elle est refusée.")
                               .arg(relatif));
        vus.insert(cle);
        for (qsizetype k = 1; k < c.size(); ++k)
            dossiers.insert(QStringList(c.mid(0, k)).join(u'/'));
        plan.Fichiers.append({index, relatif});
    }
    plan.SousDossiers = dossiers.values();
    std::sort(plan.SousDossiers.begin(), plan.SousDossiers.end());
    return plan;
}

bool ImporterArchive(const QString& zip, const QString& racine, QString* dossier, QString* raison,
                     const LimitesImport& limites) {
    auto echec = [raison](const QString& texte) {
        if (raison)
            *raison = texte;
        return false;
    };
    QVector<EntreeArchive> entrees;
    QString erreur;
    if (!Services::Archive().Lister(zip, entrees, &erreur))
        return echec(QStringLiteral("Impossible de lire l'archive : %1.").arg(erreur));
    const QDir r(racine);
    RetirerImportationsAbandonnees(r);
    const QStringList existants =
        r.entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    const PlanImport plan = PlanifierImport(entrees, QFileInfo(zip).fileName(), existants, limites);
    if (!plan.Refus.isEmpty())
        return echec(plan.Refus);

    // Unpacked first in a hidden folder of the root (the pupils' list leaves dotted names out),
    // then put in place by one rename: the folder appears whole or not at all. Its lock tells
    // other imports it is in use; it goes before the folder (declared after it).
    QTemporaryDir temporaire(r.filePath(prefixeImportation + QStringLiteral("XXXXXX")));
    if (!temporaire.isValid())
        return echec(QStringLiteral("Impossible d'écrire dans le dossier des exercices « %1 ».")
                         .arg(QDir::toNativeSeparators(racine)));
    const QDir t(temporaire.path());
    QLockFile verrou(t.filePath(nomVerrou));
    if (!verrou.tryLock(0))
        return echec(QStringLiteral("Impossible d'écrire dans le dossier des exercices « %1 ».")
                         .arg(QDir::toNativeSeparators(racine)));
    if (!t.mkdir(plan.Dossier))
        return echec(QStringLiteral("Impossible de créer le dossier « %1 ».").arg(plan.Dossier));
    const QDir nouveau(t.filePath(plan.Dossier));
    for (const QString& s : plan.SousDossiers)
        if (!nouveau.mkpath(s))
            return echec(QStringLiteral("Impossible de créer le dossier « %1 ».").arg(s));
    QVector<ExtractionArchive> extraction = plan.Fichiers;
    for (ExtractionArchive& x : extraction)
        x.Destination = nouveau.filePath(x.Destination);
    if (!Services::Archive().Extraire(zip, extraction, limites.OctetsMax, &erreur))
        return echec(
            QStringLiteral("L'importation a échoué, rien n'a été ajouté : %1.").arg(erreur));
    // The directory may have understated a companion's size: its bytes are there to count now.
    for (qsizetype i = 0; i < extraction.size(); ++i) {
        const QString refus = RefusTaille(extraction.at(i).Destination,
                                          QFileInfo(extraction.at(i).Destination).size());
        if (!refus.isEmpty())
            return echec(QStringLiteral("L'archive est refusée : « %1 » ne convient pas (%2).")
                             .arg(entrees.at(extraction.at(i).Index).Nom, refus));
    }
    if (!QDir().rename(nouveau.path(), r.filePath(plan.Dossier)))
        return echec(QStringLiteral("Impossible de placer le dossier « %1 » parmi les exercices.")
                         .arg(plan.Dossier));
    if (dossier)
        *dossier = plan.Dossier;
    return true;
}
