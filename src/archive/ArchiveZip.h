#pragma once
// Zip archives through libzip: what the studio's "Exporter" and "Importer" use. Only listing,
// writing and bounded extraction live here; what an archive may hold is decided by the core
// (core/studio/PartageDossier).

#include "core/Services.h"

class ArchiveZip : public IArchive {
public:
    bool Ecrire(const QString& zip, const QString& racine, const QStringList& fichiers,
                QString* erreur) override;
    bool Lister(const QString& zip, QVector<EntreeArchive>& entrees, QString* erreur) override;
    bool Extraire(const QString& zip, const QVector<ExtractionArchive>& plan, qint64 octetsMax,
                  QString* erreur) override;
};
