// libplumelune_archive: zip archives, loaded by the program at the studio's first export or
// import, so that libzip stays out of the start-up.

#include "archive/ArchiveZip.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT IArchive* PlumeluneCreerArchive() {
    return new ArchiveZip;
}
