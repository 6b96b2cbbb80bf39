// libplumelune_son: the sound player, the microphone and the sound files, loaded by the program
// at its first sound (or the studio's first recording). Windows has its own player and
// microphone on the system's audio API; the sound files are read and written alike everywhere.

#include <QtGlobal>

#include "sound/EcritureWav.h"
#ifdef Q_OS_WIN
#include "sound/CaptureWin.h"
#include "sound/LecteurSonWin.h"
using LecteurSon = LecteurSonWin;
using CaptureSon = CaptureWin;
#else
#include "sound/CaptureQt.h"
#include "sound/LecteurSonQt.h"
using LecteurSon = LecteurSonQt;
using CaptureSon = CaptureQt;
#endif

extern "C" Q_DECL_EXPORT ISon* PlumeluneCreerLecteurSon() {
    return new LecteurSon;
}

extern "C" Q_DECL_EXPORT ICaptureSon* PlumeluneCreerCapture() {
    return new CaptureSon;
}

extern "C" Q_DECL_EXPORT IFichiersSon* PlumeluneCreerFichiersSon() {
    return new FichiersSonSndfile;
}
