#include "core/Corbeille.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
bool corbeilleDuBureau = true;
} // namespace

void EssayerCorbeilleDuBureau(bool oui) {
    corbeilleDuBureau = oui;
}

bool MettreALaCorbeille(const QString& chemin, QString* raison) {
    const QFileInfo info(chemin);
    if (!info.exists() && !info.isSymLink()) {
        if (raison)
            *raison = QStringLiteral("le fichier « %1 » n'existe pas").arg(info.fileName());
        return false;
    }
    if (corbeilleDuBureau && QFile::moveToTrash(chemin))
        return true;
    // Beside the file: a rename within one folder tree, never a copy across disks.
    QDir dossier = info.absoluteDir();
    if (!dossier.exists(DossierCorbeille) && !dossier.mkdir(DossierCorbeille)) {
        if (raison)
            *raison = QStringLiteral("impossible de créer le dossier « %1 » dans « %2 »")
                          .arg(DossierCorbeille, QDir::toNativeSeparators(dossier.path()));
        return false;
    }
    const QDir corbeille(dossier.filePath(DossierCorbeille));
    QString cible = corbeille.filePath(info.fileName());
    // A file deleted twice under one name keeps both copies.
    for (int n = 2; QFileInfo::exists(cible) || QFileInfo(cible).isSymLink(); ++n)
        cible = corbeille.filePath(QStringLiteral("%1 (%2)").arg(info.fileName()).arg(n));
    if (QDir().rename(info.absoluteFilePath(), cible))
        return true;
    if (raison)
        *raison =
            QStringLiteral("impossible de déplacer « %1 » vers la corbeille").arg(info.fileName());
    return false;
}
