// A colleague's archive, any bytes. Bytes starting "PK" are a zip file imported whole (libzip)
// into a fresh exercise root: nothing written outside the root, a refusal leaves the root as it
// was, an import leaves one folder the studio would accept. Other bytes are an archive
// directory, one entry a line, given to the plan alone: a plan never names a place outside its
// folder, a link, or two files one disk would confuse.

#include "archive/ArchiveZip.h"
#include "core/studio/NommageItem.h"
#include "core/studio/PartageDossier.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

const QString existant = QStringLiteral("Animaux");

QStringList Contenu(const QString& dossier) {
    return QDir(dossier).entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

void Planifier(const QByteArray& octets) {
    // A line: one byte of kind and size (bit 0 a folder, bit 1 a link, the rest kB; 0xFF an
    // unknown size), then the name in UTF-8.
    QVector<EntreeArchive> entrees;
    for (const QByteArray& ligne : octets.split('\n')) {
        if (ligne.isEmpty())
            continue;
        const auto genre = static_cast<unsigned char>(ligne.at(0));
        EntreeArchive e;
        e.Nom = QString::fromUtf8(ligne.mid(1));
        e.Dossier = genre & 1;
        e.Lien = genre & 2;
        e.Taille = genre == 0xFF ? -1 : qint64(genre >> 2) * 1000;
        entrees.append(e);
    }
    const PlanImport plan =
        PlanifierImport(entrees, QStringLiteral("Mes mots.zip"), {existant}, {40, 100'000});
    if (!plan.Refus.isEmpty()) {
        if (!plan.Fichiers.isEmpty())
            std::abort();
        return;
    }
    if (!RefusNomDossier(plan.Dossier, {existant}).isEmpty())
        std::abort();
    QSet<QString> vus;
    for (const ExtractionArchive& x : plan.Fichiers) {
        if (x.Index < 0 || x.Index >= entrees.size() || entrees.at(x.Index).Lien ||
            entrees.at(x.Index).Dossier)
            std::abort();
        const QStringList parties = x.Destination.split(u'/');
        for (const QString& p : parties)
            if (p.isEmpty() || p == u"." || p == u".." || p.contains(u'\\'))
                std::abort();
        const QString cle = x.Destination.toCaseFolded();
        if (vus.contains(cle))
            std::abort();
        vus.insert(cle);
    }
}

void Importer(const QByteArray& octets) {
    static QTemporaryDir travail;
    static ArchiveZip archive;
    static const bool pret = [] {
        Services::InstallerArchive(&archive);
        return travail.isValid();
    }();
    if (!pret)
        std::abort();
    const QString zip = travail.filePath(QStringLiteral("Mes mots.zip"));
    const QString racine = travail.filePath(QStringLiteral("racine"));
    QDir(racine).removeRecursively();
    QDir().mkpath(racine + u'/' + existant);
    QFile f(zip);
    if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size())
        std::abort();
    f.close();

    QString nom, raison;
    const bool importe = ImporterArchive(zip, racine, &nom, &raison, {40, 2'000'000});
    if (Contenu(travail.path()) != QStringList{QStringLiteral("Mes mots.zip"), "racine"})
        std::abort(); // something escaped the root
    const QStringList apres = Contenu(racine);
    if (!importe) {
        if (raison.isEmpty() || apres != QStringList{existant})
            std::abort();
        return;
    }
    if (!RefusNomDossier(nom, {existant}).isEmpty() || !apres.contains(nom) || apres.size() != 2)
        std::abort();
    QDirIterator it(racine + u'/' + nom, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (it.fileInfo().isSymLink())
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const QByteArray octets(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    if (octets.startsWith("PK"))
        Importer(octets);
    else
        Planifier(octets);
    return 0;
}
