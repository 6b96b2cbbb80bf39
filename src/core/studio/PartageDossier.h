#pragma once
// Sharing an exercise folder between teachers: one zip written by "Exporter", read back by
// "Importer" into the exercise root. An archive comes from elsewhere, so everything it holds is
// checked before a byte is written, and it is unpacked out of sight first: a refused or failed
// import leaves nothing behind.

#include "core/Services.h"

#include <QString>
#include <QStringList>
#include <QVector>

struct LimitesImport {
    int EntreesMax = 2000;
    qint64 OctetsMax = 500LL * 1000 * 1000;
};

// What an export holds: the files of the folder and of its subfolders, relative to the folder's
// parent ("Animaux/chat.wav"), exactly those the import takes back. Hidden entries (the trash,
// ".DS_Store") are left out silently; an item whose text starts with a dot ("...et voilà.wav")
// is not hidden. Every other file the import would refuse (a "?" in its name, "notes.odt", a
// link, a second "CHAT.WAV", a text too long) is left out and named in Ecartes, one French line
// each: « Animaux/notes.odt » : ce n'est pas un fichier d'exercice...
struct ContenuExport {
    QStringList Fichiers;
    QStringList Ecartes;
    qint64 Octets = 0;
};
ContenuExport FichiersAExporter(const QString& dossier);
// Writes the folder into `zip`; refused when the import would refuse the whole (the folder's
// name, more files or bytes than `limites`). `ecartes` receives the files left out.
bool ExporterDossier(const QString& dossier, const QString& zip, QString* raison,
                     QStringList* ecartes = nullptr, const LimitesImport& limites = {});
// The files left out as a paragraph for the teacher: a sentence, then a few of the lines.
QString TexteEcartes(const QStringList& ecartes);

// What an archive would become: the folder name it creates under the root and, for each entry
// kept, its place below that folder. Refus is a French sentence naming the entry at fault.
struct PlanImport {
    QString Dossier;
    QVector<ExtractionArchive> Fichiers; // Destination relative to the new folder
    QStringList SousDossiers;            // relative to the new folder
    QString Refus;
};
// The checks, on the archive's directory alone: no absolute path, no "..", no link, no name
// the studio would refuse, a known kind of file, no two names equal whatever their case, not
// more entries or bytes than the limits, no ".TXT" companion above OctetsCompagnonMax. Names are
// taken as typed text (composed, ordinary spaces, no invisible character): a Mac's decomposed
// accents or a pasted no-break space give the names the studio writes. A Mac's "__MACOSX/" and
// ".DS_Store" are left out. `nomArchive` names the folder when the entries do not all sit in
// one. `existants` are the folders already in the root: the new one must not look like one.
PlanImport PlanifierImport(const QVector<EntreeArchive>& entrees, const QString& nomArchive,
                           const QStringList& existants, const LimitesImport& limites = {});

// Unpacks `zip` into a new folder of `racine`, or refuses and writes nothing. The folder's name
// in *dossier. Hidden ".importation-" folders that imports killed on the way left in `racine`
// are removed first.
bool ImporterArchive(const QString& zip, const QString& racine, QString* dossier, QString* raison,
                     const LimitesImport& limites = {});
