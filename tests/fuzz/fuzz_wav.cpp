// Any bytes as a sound file: decoded or refused with a reason, never a crash.

#include "sound/DecodageWav.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    SonDecode son;
    QString erreur;
    const bool ok = DecoderSonMemoire(
        QByteArray(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille)), son,
        erreur);
    if (!ok && erreur.isEmpty())
        std::abort();
    return 0;
}
