// Any bytes as a JPEG picture: decoded or refused, never a crash.

#include "core/DecodageJpeg.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    ImageDecodee image;
    if (DecoderJpeg(
            QByteArray(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille)),
            image) &&
        image.Rgb.size() != qsizetype(image.Largeur) * image.Hauteur * 3)
        std::abort();
    return 0;
}
