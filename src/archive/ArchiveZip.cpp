#include "archive/ArchiveZip.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <zip.h>

#include <memory>

namespace {

QString TexteErreur(int code) {
    zip_error_t e;
    zip_error_init_with_code(&e, code);
    const QString texte = QString::fromLocal8Bit(zip_error_strerror(&e));
    zip_error_fini(&e);
    return texte;
}

bool Echouer(QString* erreur, const QString& texte) {
    if (erreur)
        *erreur = texte;
    return false;
}

struct FermerZip {
    void operator()(zip_t* z) const { zip_discard(z); }
};
using Zip = std::unique_ptr<zip_t, FermerZip>;

struct FermerFichierZip {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

Zip OuvrirLecture(const QString& chemin, QString* erreur) {
    int code = 0;
    zip_t* z = zip_open(QFile::encodeName(chemin).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!z)
        Echouer(erreur, QStringLiteral("« %1 » n'est pas une archive zip lisible (%2)")
                            .arg(QFileInfo(chemin).fileName(), TexteErreur(code)));
    return Zip(z);
}

} // namespace

bool ArchiveZip::Ecrire(const QString& zip, const QString& racine, const QStringList& fichiers,
                        QString* erreur) {
    int code = 0;
    // libzip writes into a temporary file and renames it at the close: a failure leaves no
    // half archive.
    zip_t* z = zip_open(QFile::encodeName(zip).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z)
        return Echouer(erreur, QStringLiteral("impossible de créer « %1 » (%2)")
                                   .arg(QFileInfo(zip).fileName(), TexteErreur(code)));
    const QDir base(racine);
    for (const QString& f : fichiers) {
        zip_source_t* source =
            zip_source_file(z, QFile::encodeName(base.filePath(f)).constData(), 0, -1);
        if (!source || zip_file_add(z, f.toUtf8().constData(), source,
                                    ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            const QString texte = QString::fromLocal8Bit(zip_strerror(z));
            if (source)
                zip_source_free(source);
            zip_discard(z);
            return Echouer(erreur,
                           QStringLiteral("« %1 » n'a pas pu être ajouté (%2)").arg(f, texte));
        }
    }
    if (zip_close(z) < 0) {
        const QString texte = QString::fromLocal8Bit(zip_strerror(z));
        zip_discard(z);
        return Echouer(erreur, texte);
    }
    return true;
}

bool ArchiveZip::Lister(const QString& zip, QVector<EntreeArchive>& entrees, QString* erreur) {
    entrees.clear();
    const Zip z = OuvrirLecture(zip, erreur);
    if (!z)
        return false;
    const zip_int64_t n = zip_get_num_entries(z.get(), 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(z.get(), zip_uint64_t(i), ZIP_FL_ENC_GUESS, &st) < 0 ||
            !(st.valid & ZIP_STAT_NAME))
            return Echouer(erreur,
                           QStringLiteral("l'entrée n° %1 de l'archive est illisible").arg(i + 1));
        EntreeArchive e;
        e.Nom = QString::fromUtf8(st.name);
        e.Taille = (st.valid & ZIP_STAT_SIZE)
                       ? qint64(std::min<zip_uint64_t>(st.size, zip_uint64_t(INT64_MAX)))
                       : -1;
        e.Dossier = e.Nom.endsWith(u'/');
        zip_uint8_t systeme = 0;
        zip_uint32_t attributs = 0;
        if (zip_file_get_external_attributes(z.get(), zip_uint64_t(i), 0, &systeme, &attributs) ==
                0 &&
            systeme == ZIP_OPSYS_UNIX) {
            const mode_t mode = mode_t(attributs >> 16);
            // Anything but a plain file or a folder (a link, a device...) is refused as a link.
            if (mode != 0 && !S_ISREG(mode) && !S_ISDIR(mode))
                e.Lien = true;
        }
        entrees.append(e);
    }
    return true;
}

bool ArchiveZip::Extraire(const QString& zip, const QVector<ExtractionArchive>& plan,
                          qint64 octetsMax, QString* erreur) {
    const Zip z = OuvrirLecture(zip, erreur);
    if (!z)
        return false;
    qint64 total = 0;
    QByteArray tampon(64 * 1024, Qt::Uninitialized);
    for (const ExtractionArchive& x : plan) {
        const std::unique_ptr<zip_file_t, FermerFichierZip> entree(
            zip_fopen_index(z.get(), zip_uint64_t(x.Index), 0));
        if (!entree)
            return Echouer(erreur, QStringLiteral("l'entrée n° %1 ne peut pas être lue (%2)")
                                       .arg(x.Index + 1)
                                       .arg(QString::fromLocal8Bit(zip_strerror(z.get()))));
        QFile sortie(x.Destination);
        if (!sortie.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return Echouer(erreur,
                           QStringLiteral("« %1 » ne peut pas être écrit (%2)")
                               .arg(QFileInfo(x.Destination).fileName(), sortie.errorString()));
        for (;;) {
            const zip_int64_t lus =
                zip_fread(entree.get(), tampon.data(), zip_uint64_t(tampon.size()));
            if (lus < 0)
                return Echouer(erreur, QStringLiteral("« %1 » est abîmé dans l'archive")
                                           .arg(QFileInfo(x.Destination).fileName()));
            if (lus == 0)
                break;
            // Whatever the directory announced, the bytes are counted as they come.
            total += lus;
            if (total > octetsMax)
                return Echouer(erreur, QStringLiteral("l'archive est trop grosse une fois "
                                                      "décompressée (plus de %1 Mo)")
                                           .arg(octetsMax / 1000000));
            if (sortie.write(tampon.constData(), lus) != lus)
                return Echouer(erreur,
                               QStringLiteral("« %1 » ne peut pas être écrit (%2)")
                                   .arg(QFileInfo(x.Destination).fileName(), sortie.errorString()));
        }
    }
    return true;
}
