#include "core/DecodageJpeg.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QSysInfo>

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
    if (composantes == 3) {
        std::memcpy(rgb, ligne, static_cast<size_t>(largeur) * 3);
        return;
    }
    for (JDIMENSION x = 0; x < largeur; ++x) {
        unsigned char* p = rgb + 3 * x;
        if (composantes == 1) {
            p[0] = p[1] = p[2] = ligne[x];
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

// The same line as 0xffRRGGBB words.
void VersRgb32(const unsigned char* ligne, JDIMENSION largeur, int composantes, bool cmjnInverse,
               unsigned char* sortie) {
    for (JDIMENSION x = 0; x < largeur; ++x) {
        unsigned char rgb[3];
        VersRgb(ligne + static_cast<size_t>(composantes) * x, 1, composantes, cmjnInverse, rgb);
        const std::uint32_t mot = 0xff000000u | (std::uint32_t(rgb[0]) << 16) |
                                  (std::uint32_t(rgb[1]) << 8) | std::uint32_t(rgb[2]);
        std::memcpy(sortie + 4 * static_cast<size_t>(x), &mot, 4);
    }
}

// Where the decoded lines go: `octets` bytes a pixel (3: R, G, B; 4: 0xffRRGGBB words), in
// memory `fournir` hands over once the size is known.
struct Destination {
    FournirPixels32 Fournir;
    void* Contexte;
    int Octets;
};

// Plain C on purpose: longjmp must not skip a destructor, so this function holds no C++ object.
bool DecoderBrut(const unsigned char* octets, unsigned long taille, const Destination& dest) {
    jpeg_decompress_struct info;
    GestionErreurs erreurs;
    // Written after setjmp and read after longjmp: volatile, or its value is lost.
    unsigned char* volatile ligne = nullptr;

    info.err = jpeg_std_error(&erreurs.Base);
    erreurs.Base.error_exit = SortirSurErreur;
    erreurs.Base.emit_message = MessageJpeg;
    erreurs.Base.output_message = NeRienAfficher;
    if (setjmp(erreurs.Retour)) {
        jpeg_destroy_decompress(&info);
        std::free(ligne);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, octets, taille);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || info.image_width == 0 ||
        info.image_height == 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    // A phone's photo (8160 x 6120) is decoded at a half, a quarter or an eighth of its size,
    // which libjpeg does faster than the whole and in a fraction of the memory: no screen of
    // the program shows more.
    unsigned int fraction = 1;
    while (fraction < 8 && ((info.image_width + fraction - 1) / fraction > CoteMax ||
                            (info.image_height + fraction - 1) / fraction > CoteMax))
        fraction *= 2;
    info.scale_num = 1;
    info.scale_denom = fraction;
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
    // Colour lines go straight where they belong; as words, libjpeg-turbo lays them out itself
    // with the 0xff filler. Grey and CMYK go through a line of their own first.
    bool direct = attendues == 3 && dest.Octets == 3;
#ifdef JCS_EXTENSIONS
    if (attendues == 3 && dest.Octets == 4) {
        info.out_color_space =
            QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
        attendues = 4;
        direct = true;
    }
#endif
    jpeg_calc_output_dimensions(&info);
    if (info.output_width > CoteMax || info.output_height > CoteMax) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    if (info.output_components != attendues) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    qsizetype pas = 0;
    unsigned char* const pixels = dest.Fournir(dest.Contexte, static_cast<int>(info.output_width),
                                               static_cast<int>(info.output_height), &pas);
    if (!pixels)
        std::longjmp(erreurs.Retour, 1);
    if (!direct) {
        ligne = static_cast<unsigned char*>(
            std::malloc(static_cast<size_t>(info.output_width) * static_cast<size_t>(attendues)));
        if (!ligne)
            std::longjmp(erreurs.Retour, 1);
    }
    const bool inverse = info.out_color_space == JCS_CMYK && info.saw_Adobe_marker;
    while (info.output_scanline < info.output_height) {
        unsigned char* const sortie = pixels + pas * static_cast<qsizetype>(info.output_scanline);
        JSAMPROW lignes[1] = {direct ? sortie : ligne};
        if (jpeg_read_scanlines(&info, lignes, 1) != 1)
            std::longjmp(erreurs.Retour, 1);
        if (direct)
            continue;
        if (dest.Octets == 3)
            VersRgb(ligne, info.output_width, attendues, inverse, sortie);
        else
            VersRgb32(ligne, info.output_width, attendues, inverse, sortie);
    }
    // Reads up to the end marker, so a file cut after its last line still fails here.
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::free(ligne);
    return true;
}

// The RGB buffer of DecoderJpeg, from malloc: its failure is a refused picture, not an exception.
struct BlocRgb {
    unsigned char* Pixels = nullptr;
    int Largeur = 0;
    int Hauteur = 0;
};

unsigned char* FournirBlocRgb(void* contexte, int largeur, int hauteur, qsizetype* pas) {
    auto* bloc = static_cast<BlocRgb*>(contexte);
    bloc->Largeur = largeur;
    bloc->Hauteur = hauteur;
    *pas = static_cast<qsizetype>(largeur) * 3;
    bloc->Pixels = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(*pas) * hauteur));
    return bloc->Pixels;
}

} // namespace

bool DecoderJpeg(const QByteArray& donnees, ImageDecodee& sortie) {
    sortie = ImageDecodee();
    if (donnees.isEmpty())
        return false;
    BlocRgb bloc;
    const bool ok = DecoderBrut(reinterpret_cast<const unsigned char*>(donnees.constData()),
                                static_cast<unsigned long>(donnees.size()),
                                Destination{FournirBlocRgb, &bloc, 3});
    if (ok) {
        sortie.Largeur = bloc.Largeur;
        sortie.Hauteur = bloc.Hauteur;
        sortie.Rgb = QByteArray(reinterpret_cast<const char*>(bloc.Pixels),
                                static_cast<qsizetype>(bloc.Largeur) * bloc.Hauteur * 3);
    }
    std::free(bloc.Pixels);
    return ok;
}

bool DecoderJpeg32(const QByteArray& donnees, FournirPixels32 fournir, void* contexte) {
    if (donnees.isEmpty())
        return false;
    return DecoderBrut(reinterpret_cast<const unsigned char*>(donnees.constData()),
                       static_cast<unsigned long>(donnees.size()),
                       Destination{fournir, contexte, 4});
}

namespace {

struct SortieJpeg {
    unsigned char* Octets = nullptr;
    unsigned long Taille = 0;
};

// Plain C again: the error manager leaves through longjmp.
bool EncoderBrut(int largeur, int hauteur, EspaceJpeg espace, RemplirLigneJpeg remplir,
                 void* contexte, int qualite, bool marqueurAdobe, SortieJpeg* sortie) {
    jpeg_compress_struct info;
    GestionErreurs erreurs;
    unsigned char* volatile ligne = nullptr;
    info.err = jpeg_std_error(&erreurs.Base);
    erreurs.Base.error_exit = SortirSurErreur;
    erreurs.Base.output_message = NeRienAfficher;
    if (setjmp(erreurs.Retour)) {
        jpeg_destroy_compress(&info);
        std::free(ligne);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &sortie->Octets, &sortie->Taille);
    const int composantes = espace == EspaceJpeg::Gris ? 1 : espace == EspaceJpeg::Rgb ? 3 : 4;
    info.image_width = static_cast<JDIMENSION>(largeur);
    info.image_height = static_cast<JDIMENSION>(hauteur);
    info.input_components = composantes;
    info.in_color_space = espace == EspaceJpeg::Gris  ? JCS_GRAYSCALE
                          : espace == EspaceJpeg::Rgb ? JCS_RGB
                                                      : JCS_CMYK;
    jpeg_set_defaults(&info);
    // Without Adobe's marker, CMYK inks are stored as they are.
    if (!marqueurAdobe)
        info.write_Adobe_marker = FALSE;
    jpeg_set_quality(&info, qualite, TRUE);
    ligne = static_cast<unsigned char*>(
        std::malloc(static_cast<size_t>(largeur) * static_cast<size_t>(composantes)));
    if (!ligne)
        std::longjmp(erreurs.Retour, 1);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        remplir(contexte, static_cast<int>(info.next_scanline), ligne);
        JSAMPROW lignes[1] = {ligne};
        jpeg_write_scanlines(&info, lignes, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::free(ligne);
    return true;
}

void LigneRgb(void* contexte, int y, unsigned char* ligne) {
    const auto* image = static_cast<const ImageDecodee*>(contexte);
    std::memcpy(ligne, image->Rgb.constData() + static_cast<qsizetype>(y) * image->Largeur * 3,
                static_cast<size_t>(image->Largeur) * 3);
}

} // namespace

QByteArray EncoderJpeg(int largeur, int hauteur, EspaceJpeg espace, RemplirLigneJpeg remplir,
                       void* contexte, int qualite, bool marqueurAdobe) {
    if (largeur <= 0 || hauteur <= 0 || JDIMENSION(largeur) > CoteMax ||
        JDIMENSION(hauteur) > CoteMax || !remplir)
        return {};
    SortieJpeg sortie;
    const bool ok =
        EncoderBrut(largeur, hauteur, espace, remplir, contexte, qualite, marqueurAdobe, &sortie);
    QByteArray r;
    if (ok)
        r = QByteArray(reinterpret_cast<const char*>(sortie.Octets),
                       static_cast<qsizetype>(sortie.Taille));
    std::free(sortie.Octets);
    return r;
}

QByteArray EncoderJpegRgb(const ImageDecodee& image, int qualite) {
    if (image.Rgb.size() != static_cast<qsizetype>(image.Largeur) * image.Hauteur * 3)
        return {};
    return EncoderJpeg(image.Largeur, image.Hauteur, EspaceJpeg::Rgb, LigneRgb,
                       const_cast<ImageDecodee*>(&image), qualite);
}
