#include "core/teacher/Enregistreur.h"

#include "core/Chemins.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QStringList EnregistreursConnus() {
    return {QStringLiteral("gnome-sound-recorder"), QStringLiteral("audacity"),
            QStringLiteral("kwave")};
}

ChoixEnregistreur ChoisirEnregistreur(const QString& cheminLogSon, const QString& dossierProgramme,
                                      const QStringList& chemins) {
    const QString valeur = NormaliserSeparateurs(cheminLogSon.trimmed());
    if (!valeur.isEmpty()) {
        const QString chemin = QDir::isAbsolutePath(valeur) ? valeur : dossierProgramme + valeur;
        if (FichierExiste(chemin)) {
            const QFileInfo f(ResoudreChemin(chemin));
            return {f.isExecutable() ? ChoixEnregistreur::Programme : ChoixEnregistreur::Document,
                    f.absoluteFilePath()};
        }
        if (!valeur.contains(Separateur)) {
            const QString trouve = QStandardPaths::findExecutable(valeur, chemins);
            if (!trouve.isEmpty())
                return {ChoixEnregistreur::Programme, trouve};
        }
    }
    for (const QString& nom : EnregistreursConnus()) {
        const QString trouve = QStandardPaths::findExecutable(nom, chemins);
        if (!trouve.isEmpty())
            return {ChoixEnregistreur::Programme, trouve};
    }
    return {};
}
