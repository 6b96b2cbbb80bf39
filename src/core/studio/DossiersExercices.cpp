#include "core/studio/DossiersExercices.h"

#include "core/Corbeille.h"
#include "core/studio/NommageItem.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool Refus(QString* raison, const QString& texte) {
    if (raison)
        *raison = texte;
    return false;
}

// Every entry beside the folder to be named (files too: a file of that name would take it).
QStringList Voisins(const QString& parent, const QString& sauf = {}) {
    QStringList r = QDir(parent).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                           QDir::System);
    r.removeAll(sauf);
    return r;
}

// `dossier` cleaned, when it is a folder strictly below `racine`; empty otherwise.
QString SousLaRacine(const QString& racine, const QString& dossier) {
    const QString r = QDir::cleanPath(racine);
    const QString d = QDir::cleanPath(dossier);
    if (r.isEmpty() || !d.startsWith(r + u'/') || d.size() <= r.size() + 1)
        return {};
    return d;
}

} // namespace

bool CreerDossierExercices(const QString& parent, const QString& nom, QString* cree,
                           QString* raison) {
    const QString n = NomDossierNormalise(nom);
    const QString refus = RefusNomDossier(n, Voisins(parent));
    if (!refus.isEmpty())
        return Refus(raison, refus);
    if (!QDir(parent).mkdir(n))
        return Refus(raison, QStringLiteral("Le dossier « %1 » n'a pas pu être créé dans « %2 ».")
                                 .arg(n, QDir::toNativeSeparators(parent)));
    if (cree)
        *cree = QDir(parent).filePath(n);
    return true;
}

bool RenommerDossierExercices(const QString& racine, const QString& dossier, const QString& nom,
                              QString* nouveau, QString* raison, const FonctionRenommer& renommer) {
    const QString d = SousLaRacine(racine, dossier);
    if (d.isEmpty())
        return Refus(raison, QStringLiteral("Choisissez à gauche le dossier à renommer (le "
                                            "dossier de tous les exercices ne se renomme pas)."));
    if (!QFileInfo(d).isDir())
        return Refus(
            raison,
            QStringLiteral("Le dossier « %1 » n'existe plus.").arg(QFileInfo(d).fileName()));
    const QFileInfo info(d);
    const QString parent = info.path();
    const QString n = NomDossierNormalise(nom);
    // Its own name does not count: a change of letter case stays possible.
    const QString refus = RefusNomDossier(n, Voisins(parent, info.fileName()));
    if (!refus.isEmpty())
        return Refus(raison, refus);
    const QString cible = parent + u'/' + n;
    if (!RenommerTout({{d, cible}}, nullptr, renommer)) {
        // Made by someone else since the check, or the disk refused.
        const QString apres = RefusNomDossier(n, Voisins(parent, info.fileName()));
        if (!apres.isEmpty())
            return Refus(raison, apres);
        return Refus(raison, QStringLiteral("Le dossier « %1 » n'a pas pu être renommé : un de "
                                            "ses fichiers est peut-être ouvert, ou le dossier "
                                            "est protégé.")
                                 .arg(info.fileName()));
    }
    if (nouveau)
        *nouveau = cible;
    return true;
}

bool SupprimerDossierExercices(const QString& racine, const QString& dossier, QString* raison) {
    const QString d = SousLaRacine(racine, dossier);
    if (d.isEmpty())
        return Refus(raison, QStringLiteral("Choisissez à gauche le dossier à supprimer (le "
                                            "dossier de tous les exercices ne se supprime pas)."));
    const QFileInfo info(d);
    if (!info.isDir())
        return Refus(raison,
                     QStringLiteral("Le dossier « %1 » n'existe plus.").arg(info.fileName()));
    QString pourquoi;
    if (!MettreALaCorbeille(d, &pourquoi))
        return Refus(raison, QStringLiteral("Le dossier « %1 » n'a pas été supprimé : %2.")
                                 .arg(info.fileName(), pourquoi));
    return true;
}
