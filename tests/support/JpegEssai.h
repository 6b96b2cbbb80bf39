#pragma once
// Test pictures compressed with libjpeg itself, at quality 95: `remplir(y, ligne)` writes row y
// (width x `composantes` bytes in `espace`) into `ligne`.

#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

inline QByteArray CompresserJpeg(int largeur, int hauteur, int composantes, J_COLOR_SPACE espace,
                                 const std::function<void(int, unsigned char*)>& remplir,
                                 bool marqueurAdobe = true) {
    jpeg_compress_struct info;
    jpeg_error_mgr erreurs;
    info.err = jpeg_std_error(&erreurs);
    jpeg_create_compress(&info);
    unsigned char* sortie = nullptr;
    unsigned long taille = 0;
    jpeg_mem_dest(&info, &sortie, &taille);
    info.image_width = JDIMENSION(largeur);
    info.image_height = JDIMENSION(hauteur);
    info.input_components = composantes;
    info.in_color_space = espace;
    jpeg_set_defaults(&info);
    // Without Adobe's marker, CMYK inks are stored as they are.
    if (!marqueurAdobe)
        info.write_Adobe_marker = FALSE;
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> ligne(size_t(largeur) * size_t(composantes));
    while (info.next_scanline < info.image_height) {
        remplir(int(info.next_scanline), ligne.data());
        JSAMPROW lignes[1] = {ligne.data()};
        jpeg_write_scanlines(&info, lignes, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray octets(reinterpret_cast<const char*>(sortie), qsizetype(taille));
    std::free(sortie);
    return octets;
}
