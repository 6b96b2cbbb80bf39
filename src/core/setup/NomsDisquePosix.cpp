#include "core/setup/NomsDisque.h"

#include <QByteArray>
#include <QFile>

#include <dirent.h>

bool NomsDisqueNonUtf8(const QString& dossier) {
    // Qt hands names over already decoded, a byte it cannot read turned into U+FFFD: only the
    // bytes on disk tell a damaged name from one that truly holds that character.
    DIR* d = ::opendir(QFile::encodeName(dossier).constData());
    if (!d)
        return false;
    bool trouve = false;
    while (const dirent* e = ::readdir(d)) {
        const QByteArray nom(e->d_name);
        if (QString::fromUtf8(nom).toUtf8() != nom) {
            trouve = true;
            break;
        }
    }
    ::closedir(d);
    return trouve;
}
