#include "archive/FichierZip.h"

#include <QFile>
#include <cerrno>

zip_t* OuvrirFichierZip(const QString& chemin, int flags, int* code, int* systeme) {
    zip_t* z = zip_open(QFile::encodeName(chemin).constData(), flags, code);
    *systeme = errno;
    return z;
}

zip_source_t* SourceFichierZip(zip_t* z, const QString& chemin) {
    return zip_source_file(z, QFile::encodeName(chemin).constData(), 0, -1);
}
