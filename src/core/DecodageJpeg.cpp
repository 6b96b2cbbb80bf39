#include "DecodageJpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace {

constexpr JDIMENSION CoteMax = 8000;

struct GestionErreurs {
    jpeg_error_mgr Base;
    std::jmp_buf Retour;
};

void SortirSurErreur(j_common_ptr info) {
    std::longjmp(reinterpret_cast<GestionErreurs*>(info->err)->Retour, 1);
}

// A warning is how libjpeg reports a file cut short (it pads the rest with grey): refuse it.
void MessageJpeg(j_common_ptr info, int niveau) {
    if (niveau < 0)
        std::longjmp(reinterpret_cast<GestionErreurs*>(info->err)->Retour, 1);
}

void NeRienAfficher(j_common_ptr) {}

inline unsigned char Octet(int v) {
    return static_cast<unsigned char>(v);
}

// One decoded line of 1, 3 or 4 components into RGB.
void VersRgb(const unsigned char* ligne, JDIMENSION largeur, int composantes, bool cmjnInverse,
             unsigned char* rgb) {
    for (JDIMENSION x = 0; x < largeur; ++x) {
        unsigned char* p = rgb + 3 * x;
        if (composantes == 1) {
            p[0] = p[1] = p[2] = ligne[x];
        } else if (composantes == 3) {
            std::memcpy(p, ligne + 3 * x, 3);
        } else {
            // Adobe's CMYK JPEGs store inverted inks; plain ones store them as is.
            const unsigned char* s = ligne + 4 * x;
            const int c = cmjnInverse ? s[0] : 255 - s[0];
            const int m = cmjnInverse ? s[1] : 255 - s[1];
            const int j = cmjnInverse ? s[2] : 255 - s[2];
            const int k = cmjnInverse ? s[3] : 255 - s[3];
            p[0] = Octet(c * k / 255);
            p[1] = Octet(m * k / 255);
            p[2] = Octet(j * k / 255);
        }
    }
}

// Plain C on purpose: longjmp must not skip a destructor, so this function holds no C++ object.
// Returns a malloc'ed RGB buffer, or nullptr.
unsigned char* DecoderBrut(const unsigned char* octets, unsigned long taille, int* largeur,
                           int* hauteur) {
    jpeg_decompress_struct info;
    GestionErreurs erreurs;
    // Written after setjmp and read after longjmp: volatile, or their value is lost.
    unsigned char* volatile pixels = nullptr;
    unsigned char* volatile ligne = nullptr;

    info.err = jpeg_std_error(&erreurs.Base);
    erreurs.Base.error_exit = SortirSurErreur;
    erreurs.Base.emit_message = MessageJpeg;
    erreurs.Base.output_message = NeRienAfficher;
    if (setjmp(erreurs.Retour)) {
        jpeg_destroy_decompress(&info);
        std::free(pixels);
        std::free(ligne);
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, octets, taille);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || info.image_width == 0 ||
        info.image_height == 0 || info.image_width > CoteMax || info.image_height > CoteMax) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    int attendues = 3;
    if (info.jpeg_color_space == JCS_GRAYSCALE) {
        info.out_color_space = JCS_GRAYSCALE;
        attendues = 1;
    } else if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        info.out_color_space = JCS_CMYK;
        attendues = 4;
    } else {
        info.out_color_space = JCS_RGB;
    }
    jpeg_start_decompress(&info);
    if (info.output_components != attendues) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }
    const size_t pas = static_cast<size_t>(info.output_width) * 3;
    pixels = static_cast<unsigned char*>(std::malloc(pas * info.output_height));
    ligne = static_cast<unsigned char*>(
        std::malloc(static_cast<size_t>(info.output_width) * static_cast<size_t>(attendues)));
    if (!pixels || !ligne)
        std::longjmp(erreurs.Retour, 1);
    const bool inverse = attendues == 4 && info.saw_Adobe_marker;
    while (info.output_scanline < info.output_height) {
        const JDIMENSION y = info.output_scanline;
        JSAMPROW lignes[1] = {ligne};
        if (jpeg_read_scanlines(&info, lignes, 1) != 1)
            std::longjmp(erreurs.Retour, 1);
        VersRgb(ligne, info.output_width, attendues, inverse, pixels + pas * y);
    }
    // Reads up to the end marker, so a file cut after its last line still fails here.
    jpeg_finish_decompress(&info);
    *largeur = static_cast<int>(info.output_width);
    *hauteur = static_cast<int>(info.output_height);
    jpeg_destroy_decompress(&info);
    std::free(ligne);
    return pixels;
}

} // namespace

bool DecoderJpeg(const QByteArray& donnees, ImageDecodee& sortie) {
    sortie = ImageDecodee();
    if (donnees.isEmpty())
        return false;
    int largeur = 0;
    int hauteur = 0;
    unsigned char* pixels =
        DecoderBrut(reinterpret_cast<const unsigned char*>(donnees.constData()),
                    static_cast<unsigned long>(donnees.size()), &largeur, &hauteur);
    if (!pixels)
        return false;
    sortie.Largeur = largeur;
    sortie.Hauteur = hauteur;
    sortie.Rgb = QByteArray(reinterpret_cast<const char*>(pixels),
                            static_cast<qsizetype>(largeur) * hauteur * 3);
    std::free(pixels);
    return true;
}
