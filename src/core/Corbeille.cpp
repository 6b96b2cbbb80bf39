#include "core/Corbeille.h"

#include "core/Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool MettreALaCorbeille(const QString& chemin, const QString& reserve, QString* raison) {
    const QFileInfo info(chemin);
    if (!info.exists() && !info.isSymLink()) {
        if (raison)
            *raison = QStringLiteral("le fichier « %1 » n'existe pas").arg(info.fileName());
        return false;
    }
    if (Services::Corbeille().Jeter(chemin))
        return true;
    // Beside the file: a rename within one folder tree, never a copy across disks.
    if (!QFileInfo(reserve).isDir() && !QDir().mkpath(reserve)) {
        if (raison)
            *raison =
                QStringLiteral("impossible de mettre « %1 » à la corbeille : le dossier « %2 » "
                               "ne peut pas être créé")
                    .arg(info.fileName(), QDir::toNativeSeparators(reserve));
        return false;
    }
    const QDir corbeille(reserve);
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

bool MettreALaCorbeille(const QString& chemin, QString* raison) {
    return MettreALaCorbeille(chemin, QFileInfo(chemin).absoluteDir().filePath(DossierCorbeille),
                              raison);
}
