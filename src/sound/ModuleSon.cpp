// libplumelune_son: the sound player, loaded by the program at its first sound.

#include "sound/LecteurSonQt.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT ISon* PlumeluneCreerLecteurSon() {
    return new LecteurSonQt;
}
