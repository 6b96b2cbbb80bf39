#pragma once
// Test pictures compressed at quality 95 through the program's own encoder: `remplir(y, ligne)`
// writes row y (width x `composantes` bytes in `espace`) into `ligne`.

#include "core/DecodageJpeg.h"

#include <QByteArray>

#include <cstddef>
#include <cstdio>
#include <functional>

#include <jpeglib.h>

inline QByteArray CompresserJpeg(int largeur, int hauteur, int composantes, J_COLOR_SPACE espace,
                                 const std::function<void(int, unsigned char*)>& remplir,
                                 bool marqueurAdobe = true) {
    const EspaceJpeg e = espace == JCS_GRAYSCALE ? EspaceJpeg::Gris
                         : espace == JCS_CMYK    ? EspaceJpeg::Cmjn
                                                 : EspaceJpeg::Rgb;
    Q_UNUSED(composantes);
    using Remplir = std::function<void(int, unsigned char*)>;
    auto ligne = [](void* contexte, int y, unsigned char* l) {
        (*static_cast<const Remplir*>(contexte))(y, l);
    };
    return EncoderJpeg(largeur, hauteur, e, ligne, const_cast<Remplir*>(&remplir), 95,
                       marqueurAdobe);
}
