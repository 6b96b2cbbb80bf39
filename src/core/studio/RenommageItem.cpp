#include "core/studio/RenommageItem.h"

#include <QDir>
#include <QFileInfo>

bool RenommerFichier(const QString& de, const QString& vers) {
    // QDir::rename never replaces an existing file.
    return QDir().rename(de, vers);
}

namespace {

// Same folder and same name but for the letter case: on a case-insensitive disk, one file.
bool MemeFichierAutreCasse(const QString& a, const QString& b) {
    return a != b && a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

bool RenommerTout(const QVector<Renommage>& paires, QString* raison,
                  const FonctionRenommer& renommer) {
    // Each step is one rename; case-only renames go through a temporary name, as a
    // case-insensitive disk would refuse them directly.
    QVector<Renommage> etapes;
    for (const Renommage& p : paires) {
        if (p.De == p.Vers)
            continue;
        if (MemeFichierAutreCasse(p.De, p.Vers)) {
            const QString temporaire = p.De + QStringLiteral(".renommage");
            etapes.append({p.De, temporaire});
            etapes.append({temporaire, p.Vers});
            continue;
        }
        if (QFileInfo::exists(p.Vers) || QFileInfo(p.Vers).isSymLink()) {
            if (raison)
                *raison = QStringLiteral("Rien n'a été renommé : un fichier « %1 » existe déjà.")
                              .arg(QFileInfo(p.Vers).fileName());
            return false;
        }
        etapes.append(p);
    }
    for (qsizetype i = 0; i < etapes.size(); ++i) {
        if (renommer(etapes.at(i).De, etapes.at(i).Vers))
            continue;
        // Back, from the last one done.
        bool retour = true;
        for (qsizetype j = i - 1; j >= 0; --j)
            retour = renommer(etapes.at(j).Vers, etapes.at(j).De) && retour;
        if (raison)
            *raison =
                retour
                    ? QStringLiteral("Rien n'a été renommé : le fichier « %1 » n'a pas pu "
                                     "être renommé (il est peut-être ouvert ou protégé).")
                          .arg(QFileInfo(etapes.at(i).De).fileName())
                    : QStringLiteral("Le fichier « %1 » n'a pas pu être renommé, et les "
                                     "fichiers déjà renommés n'ont pas tous pu reprendre "
                                     "leur nom. Vérifiez le dossier « %2 ».")
                          .arg(QFileInfo(etapes.at(i).De).fileName(),
                               QDir::toNativeSeparators(QFileInfo(etapes.at(i).De).absolutePath()));
        return false;
    }
    return true;
}
