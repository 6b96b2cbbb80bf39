#pragma once
// JPEG decoding through libjpeg, for the pictures stored with the forms and the items' pictures.

#include <QByteArray>

struct ImageDecodee {
    int Largeur = 0;
    int Hauteur = 0;
    QByteArray Rgb; // 3 bytes per pixel, rows top to bottom, no padding
};

// false (and sortie emptied) for anything that is not a whole, sound JPEG: a truncated file is
// refused rather than shown half grey. Grayscale and CMYK pictures come out as RGB.
bool DecoderJpeg(const QByteArray& donnees, ImageDecodee& sortie);
