// Any bytes as plumelune.ini: the loader must neither crash nor leave the settings invalid.

#include "core/Configuration.h"
#include "core/Etat.h"

#include <QDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    // Reading the ini never moves the process's working folder.
    static const QString depart = QDir::currentPath();
    Etat.DossierProgramme = QDir::tempPath() + u'/';
    Etat.Reinitialiser();
    AppliquerConfiguration(
        QByteArray(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille)));
    if ((Etat.ReponsesNecessaires && *Etat.ReponsesNecessaires < 1) ||
        !Etat.CheminMedias.endsWith(u'/') ||
        (!Etat.CheminBilans.isEmpty() && !Etat.CheminBilans.endsWith(u'/')))
        std::abort();
    if (QDir::currentPath() != depart)
        std::abort();
    return 0;
}
