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

// The files of the folder and of its subfolders, relative to the folder's parent ("Animaux/
// chat.wav"): what an export holds. Hidden entries (the trash) and links are left out.
QStringList FichiersAExporter(const QString& dossier);
// Writes the folder into `zip`.
bool ExporterDossier(const QString& dossier, const QString& zip, QString* raison);

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
// more entries or bytes than the limits. `nomArchive` names the folder when the entries do not
// all sit in one. `existants` are the folders already in the root.
PlanImport PlanifierImport(const QVector<EntreeArchive>& entrees, const QString& nomArchive,
                           const QStringList& existants, const LimitesImport& limites = {});

// Unpacks `zip` into a new folder of `racine`, or refuses and writes nothing. The folder's name
// in *dossier.
bool ImporterArchive(const QString& zip, const QString& racine, QString* dossier, QString* raison,
                     const LimitesImport& limites = {});
