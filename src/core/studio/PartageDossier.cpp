#include "core/studio/PartageDossier.h"

#include "core/Texte.h"
#include "core/exercise/DecodageItem.h"
#include "core/studio/NommageItem.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

namespace {

void Lister(const QDir& dossier, const QString& prefixe, QStringList& fichiers) {
    const QFileInfoList entrees =
        dossier.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& e : entrees) {
        if (e.isSymLink() || e.fileName().startsWith(u'.'))
            continue;
        if (e.isDir())
            Lister(QDir(e.filePath()), prefixe + e.fileName() + u'/', fichiers);
        else
            fichiers.append(prefixe + e.fileName());
    }
}

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

} // namespace

QStringList FichiersAExporter(const QString& dossier) {
    QStringList fichiers;
    const QDir d(dossier);
    Lister(d, d.dirName() + u'/', fichiers);
    return fichiers;
}

bool ExporterDossier(const QString& dossier, const QString& zip, QString* raison) {
    const QStringList fichiers = FichiersAExporter(dossier);
    if (fichiers.isEmpty()) {
        if (raison)
            *raison = QStringLiteral("Le dossier est vide : il n'y a rien à exporter.");
        return false;
    }
    QDir parent(dossier);
    parent.cdUp();
    QString erreur;
    if (Services::Archive().Ecrire(zip, parent.path(), fichiers, &erreur))
        return true;
    if (raison)
        *raison = QStringLiteral("L'exportation a échoué : %1.").arg(erreur);
    return false;
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
    // Each entry as its list of folder names and file name.
    QVector<QStringList> chemins;
    for (const EntreeArchive& e : entrees) {
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
        for (qsizetype i = 0; i < parties.size(); ++i) {
            const bool fichier = !e.Dossier && i == parties.size() - 1;
            const QString refus =
                fichier ? RefusNomFichier(parties.at(i)) : RefusNomDossier(parties.at(i));
            if (!refus.isEmpty())
                return refuser(QStringLiteral("L'archive est refusée : %1 ne convient pas (%2).")
                                   .arg(montre, refus));
        }
        if (!e.Dossier)
            chemins.append(parties);
    }
    if (chemins.isEmpty())
        return refuser(QStringLiteral("L'archive ne contient aucun fichier d'exercice."));

    // One folder holding everything (as an export writes it), or loose files named after the
    // archive.
    QString racine = chemins.first().first();
    bool unDossier = true;
    for (const QStringList& c : std::as_const(chemins))
        if (c.size() < 2 || c.first() != racine)
            unDossier = false;
    if (!unDossier) {
        racine = Rogner(QFileInfo(nomArchive).completeBaseName());
        const QString refus = RefusNomDossier(racine);
        if (!refus.isEmpty())
            return refuser(QStringLiteral("Le nom de l'archive ne peut pas devenir un nom de "
                                          "dossier : %1")
                               .arg(refus));
    }
    for (const QString& e : existants)
        if (e.compare(racine, Qt::CaseInsensitive) == 0)
            return refuser(QStringLiteral("Un dossier « %1 » existe déjà parmi les exercices : "
                                          "renommez-le ou supprimez-le avant d'importer.")
                               .arg(e));
    plan.Dossier = racine;
    QSet<QString> vus;
    QSet<QString> dossiers;
    int index = 0;
    for (const EntreeArchive& e : entrees) {
        const int i = index++;
        if (e.Dossier)
            continue;
        QStringList c = QString(e.Nom).replace(u'\\', u'/').split(u'/');
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
        plan.Fichiers.append({i, relatif});
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
    const QStringList existants =
        r.entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    const PlanImport plan = PlanifierImport(entrees, QFileInfo(zip).fileName(), existants, limites);
    if (!plan.Refus.isEmpty())
        return echec(plan.Refus);

    // Unpacked first in a hidden folder of the root (the pupils' list leaves dotted names out),
    // then put in place by one rename: the folder appears whole or not at all.
    QTemporaryDir temporaire(r.filePath(QStringLiteral(".importation-XXXXXX")));
    if (!temporaire.isValid())
        return echec(QStringLiteral("Impossible d'écrire dans le dossier des exercices « %1 ».")
                         .arg(QDir::toNativeSeparators(racine)));
    const QDir t(temporaire.path());
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
    if (!QDir().rename(nouveau.path(), r.filePath(plan.Dossier)))
        return echec(QStringLiteral("Impossible de placer le dossier « %1 » parmi les exercices.")
                         .arg(plan.Dossier));
    if (dossier)
        *dossier = plan.Dossier;
    return true;
}
