#include "core/studio/RenommageItem.h"

#include "core/Texte.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

bool RenommerFichier(const QString& de, const QString& vers) {
    // QDir::rename never replaces an existing file.
    return QDir().rename(de, vers);
}

namespace {

// Same folder and same name but for the letter case or the spelling of its accents: on a
// case-insensitive (or normalising) disk, one file.
bool MemeFichierAutreCasse(const QString& a, const QString& b) {
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    return a != b && fa.path() == fb.path() && MemeNomDeFichier(fa.fileName(), fb.fileName());
}

// A short free name in the folder of `chemin`: the temporary step of a case-only rename. Built
// from the original name, a name already at the 255-byte limit would be refused by the disk.
QString NomTemporaire(const QString& chemin, QSet<QString>& pris) {
    const QDir d = QFileInfo(chemin).dir();
    for (int n = 1;; ++n) {
        const QString t = d.filePath(QStringLiteral(".renommage-%1").arg(n));
        if (!pris.contains(t) && !QFileInfo::exists(t) && !QFileInfo(t).isSymLink()) {
            pris.insert(t);
            return t;
        }
    }
}

// Whether the folder lists an entry of exactly this name: on a case-insensitive disk, the other
// spelling of a file's own name is not listed.
bool ListeExactement(const QString& chemin) {
    const QFileInfo f(chemin);
    return f.dir()
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
        .contains(f.fileName());
}

bool Refuser(const QString& vers, QString* raison) {
    if (raison)
        *raison = QStringLiteral("Rien n'a été renommé : un fichier « %1 » existe déjà.")
                      .arg(QFileInfo(vers).fileName());
    return false;
}

} // namespace

bool RenommerTout(const QVector<Renommage>& paires, QString* raison,
                  const FonctionRenommer& renommer) {
    // Each step is one rename; case-only renames go through a temporary name, as a
    // case-insensitive disk would refuse them directly.
    QVector<Renommage> etapes;
    QSet<QString> temporaires;
    for (const Renommage& p : paires) {
        if (p.De == p.Vers)
            continue;
        if (MemeFichierAutreCasse(p.De, p.Vers)) {
            // Another file of that spelling, on a case-sensitive disk: never replaced.
            if (ListeExactement(p.Vers))
                return Refuser(p.Vers, raison);
            const QString temporaire = NomTemporaire(p.De, temporaires);
            etapes.append({p.De, temporaire});
            etapes.append({temporaire, p.Vers});
            continue;
        }
        if (QFileInfo::exists(p.Vers) || QFileInfo(p.Vers).isSymLink())
            return Refuser(p.Vers, raison);
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
