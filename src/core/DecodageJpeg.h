#pragma once
// JPEG through libjpeg: decoding the pictures stored with the forms and the items' pictures, and
// encoding the pictures the studio gives items.

#include <QByteArray>

struct ImageDecodee {
    int Largeur = 0;
    int Hauteur = 0;
    QByteArray Rgb; // 3 bytes per pixel, rows top to bottom, no padding
};

// false (and sortie emptied) for anything that is not a whole, sound JPEG: a truncated file is
// refused rather than shown half grey. Grayscale and CMYK pictures come out as RGB.
bool DecoderJpeg(const QByteArray& donnees, ImageDecodee& sortie);

// The same decoding straight into 32-bit pixels 0xffRRGGBB in the machine's byte order (the
// layout the screen takes, so a picture shown is neither converted nor copied again). Once the
// size is known, `fournir` returns the first of `hauteur` lines of `*pas` bytes each, in memory
// the caller owns, or nullptr to give up. false for the same files DecoderJpeg refuses; the
// memory may then hold part of a picture.
using FournirPixels32 = unsigned char* (*)(void* contexte, int largeur, int hauteur,
                                           qsizetype* pas);
bool DecoderJpeg32(const QByteArray& donnees, FournirPixels32 fournir, void* contexte);

// Encoding. `remplir(contexte, y, ligne)` writes row y (largeur x components bytes: 1 grey, 3
// RGB, 4 CMYK) into `ligne`. Empty on failure (a size of 0 or above the decoder's bound).
enum class EspaceJpeg { Gris, Rgb, Cmjn };
using RemplirLigneJpeg = void (*)(void* contexte, int y, unsigned char* ligne);
QByteArray EncoderJpeg(int largeur, int hauteur, EspaceJpeg espace, RemplirLigneJpeg remplir,
                       void* contexte, int qualite = 90, bool marqueurAdobe = true);
// An RGB picture as DecoderJpeg gives them.
QByteArray EncoderJpegRgb(const ImageDecodee& image, int qualite = 90);
