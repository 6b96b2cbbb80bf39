#include "archive/ArchiveZip.h"

#include "archive/FichierZip.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QStringDecoder>

#include <sys/stat.h>
#include <zip.h>

#include <memory>

namespace {

// libzip's own messages are English: each error the teacher may meet gets a French sentence, the
// rest one general sentence.
QString TexteErreur(int code, int systeme = 0) {
    if (systeme == ENOSPC)
        return QStringLiteral("le disque est plein");
    if (systeme == EACCES || systeme == EPERM || systeme == EROFS)
        return QStringLiteral("l'accès est refusé");
    switch (code) {
    case ZIP_ER_NOZIP:
        return QStringLiteral("ce n'est pas une archive zip");
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
        return QStringLiteral("l'archive est abîmée ou incomplète");
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
        return QStringLiteral("les données de l'archive sont abîmées");
    case ZIP_ER_MULTIDISK:
        return QStringLiteral("l'archive est coupée en plusieurs morceaux");
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("l'archive est compressée d'une façon que le programme ne sait pas "
                              "lire");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return QStringLiteral("l'archive est protégée par un mot de passe");
    case ZIP_ER_NOENT:
    case ZIP_ER_OPEN:
        return QStringLiteral("le fichier ne peut pas être ouvert");
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL:
        return QStringLiteral("le fichier ne peut pas être lu");
    case ZIP_ER_WRITE:
    case ZIP_ER_CLOSE:
    case ZIP_ER_TMPOPEN:
    case ZIP_ER_RENAME:
    case ZIP_ER_REMOVE:
        return QStringLiteral("le fichier ne peut pas être écrit");
    case ZIP_ER_MEMORY:
        return QStringLiteral("la mémoire manque");
    default:
        return QStringLiteral("erreur inattendue de l'archive (n° %1)").arg(code);
    }
}

QString TexteErreur(zip_error_t* e) {
    return TexteErreur(zip_error_code_zip(e), zip_error_code_system(e));
}

// After opening, which gives libzip's code alone: the system's error says more when the code
// is a system one.
QString TexteErreurOuverture(int code, int systeme) {
    zip_error_t e;
    zip_error_init_with_code(&e, code);
    const bool parSysteme = zip_error_system_type(&e) == ZIP_ET_SYS;
    zip_error_fini(&e);
    return TexteErreur(code, parSysteme ? systeme : 0);
}

// Code page 850, the one French Windows (and DOS before it) write zip names in: it holds À È Ê
// Ë Î Ï Ô Ù Û where the code page 437 the zip format names has box-drawing characters, and the
// two agree on every other French letter. Reading 437 would turn "À la plage" into "╖ la plage".
constexpr char16_t Cp850[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557,
    0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB,
    0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9,
    0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

// An entry's name from its stored bytes. Names flagged UTF-8 (or carried by the Unicode extra
// field, which libzip puts in their place) are UTF-8. Unflagged names are in the zip format's
// DOS code page, read as 850 (above); but Mac's Archive Utility and older Info-ZIP write UTF-8
// without the flag, so unflagged bytes that are valid UTF-8 are read as UTF-8: a code page 850
// name that is also valid UTF-8 would need a box-drawing letter before a symbol, which no
// exercise name holds.
QString NomEntree(const QByteArray& octets) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texte = utf8(octets);
    if (!utf8.hasError())
        return texte;
    QString r;
    r.reserve(octets.size());
    for (const char o : octets) {
        const auto u = static_cast<unsigned char>(o);
        r.append(QChar(u < 0x80 ? char16_t(u) : Cp850[u - 0x80]));
    }
    return r;
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
    int systeme = 0;
    zip_t* z = OuvrirFichierZip(chemin, ZIP_RDONLY | ZIP_CHECKCONS, &code, &systeme);
    if (!z)
        Echouer(erreur,
                QStringLiteral("« %1 » n'a pas pu être ouvert (%2)")
                    .arg(QFileInfo(chemin).fileName(), TexteErreurOuverture(code, systeme)));
    return Zip(z);
}

} // namespace

bool ArchiveZip::Ecrire(const QString& zip, const QString& racine, const QStringList& fichiers,
                        QString* erreur) {
    int code = 0;
    // libzip writes into a temporary file and renames it at the close: a failure leaves no
    // half archive.
    int systeme = 0;
    zip_t* z = OuvrirFichierZip(zip, ZIP_CREATE | ZIP_TRUNCATE, &code, &systeme);
    if (!z)
        return Echouer(erreur,
                       QStringLiteral("impossible de créer « %1 » (%2)")
                           .arg(QFileInfo(zip).fileName(), TexteErreurOuverture(code, systeme)));
    const QDir base(racine);
    for (const QString& f : fichiers) {
        zip_source_t* source = SourceFichierZip(z, base.filePath(f));
        if (!source || zip_file_add(z, f.toUtf8().constData(), source,
                                    ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            const QString texte = TexteErreur(zip_get_error(z));
            if (source)
                zip_source_free(source);
            zip_discard(z);
            return Echouer(erreur,
                           QStringLiteral("« %1 » n'a pas pu être ajouté (%2)").arg(f, texte));
        }
    }
    if (zip_close(z) < 0) {
        const QString texte = TexteErreur(zip_get_error(z));
        zip_discard(z);
        return Echouer(erreur, QStringLiteral("« %1 » n'a pas pu être écrit (%2)")
                                   .arg(QFileInfo(zip).fileName(), texte));
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
        if (zip_stat_index(z.get(), zip_uint64_t(i), ZIP_FL_ENC_RAW, &st) < 0 ||
            !(st.valid & ZIP_STAT_NAME) || !st.name)
            return Echouer(erreur,
                           QStringLiteral("l'entrée n° %1 de l'archive est illisible").arg(i + 1));
        EntreeArchive e;
        e.Nom = NomEntree(QByteArray(st.name));
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
            // A mode without a file type (Python's zipfile writes permissions alone) is a file.
            if ((mode & S_IFMT) != 0 && !S_ISREG(mode) && !S_ISDIR(mode))
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
                                       .arg(TexteErreur(zip_get_error(z.get()))));
        QFile sortie(x.Destination);
        if (!sortie.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return Echouer(erreur,
                           QStringLiteral("« %1 » ne peut pas être écrit (%2)")
                               .arg(QFileInfo(x.Destination).fileName(), sortie.errorString()));
        for (;;) {
            const zip_int64_t lus =
                zip_fread(entree.get(), tampon.data(), zip_uint64_t(tampon.size()));
            if (lus < 0)
                return Echouer(erreur, QStringLiteral("« %1 » est abîmé dans l'archive (%2)")
                                           .arg(QFileInfo(x.Destination).fileName(),
                                                TexteErreur(zip_file_get_error(entree.get()))));
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
