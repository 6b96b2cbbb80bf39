// libplumelune_son: the sound player, the microphone and the sound files, loaded by the program
// at its first sound (or the studio's first recording).

#include "sound/CaptureQt.h"
#include "sound/EcritureWav.h"
#include "sound/LecteurSonQt.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT ISon* PlumeluneCreerLecteurSon() {
    return new LecteurSonQt;
}

extern "C" Q_DECL_EXPORT ICaptureSon* PlumeluneCreerCapture() {
    return new CaptureQt;
}

extern "C" Q_DECL_EXPORT IFichiersSon* PlumeluneCreerFichiersSon() {
    return new FichiersSonSndfile;
}
