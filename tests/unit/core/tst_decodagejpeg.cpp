// JPEG decoding of the pictures: the colour layouts pictures come in, and the damaged files that
// must be refused rather than shown half grey.

#include "JpegEssai.h"
#include "core/DecodageJpeg.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// A grey picture of any size libjpeg allows, past the program's own encoder and its bound.
QByteArray GrisBrut(int largeur, int hauteur) {
    jpeg_compress_struct info;
    jpeg_error_mgr erreurs;
    info.err = jpeg_std_error(&erreurs);
    jpeg_create_compress(&info);
    unsigned char* sortie = nullptr;
    unsigned long taille = 0;
    jpeg_mem_dest(&info, &sortie, &taille);
    info.image_width = JDIMENSION(largeur);
    info.image_height = JDIMENSION(hauteur);
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> ligne(size_t(largeur), 128);
    while (info.next_scanline < info.image_height) {
        JSAMPROW l = ligne.data();
        jpeg_write_scanlines(&info, &l, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray r(reinterpret_cast<const char*>(sortie), qsizetype(taille));
    std::free(sortie);
    return r;
}

enum class Couleurs { Rgb, Gris, CmjnAdobe, CmjnSimple };

// Four flat quadrants, far enough apart that JPEG's losses cannot blur one into another.
const int QuadrantsRgb[4][3] = {{220, 30, 30}, {30, 200, 40}, {40, 50, 210}, {240, 240, 240}};
const int QuadrantsGris[4] = {20, 90, 160, 235};

int Quadrant(int x, int y, int largeur, int hauteur) {
    return (x >= largeur / 2 ? 1 : 0) + (y >= hauteur / 2 ? 2 : 0);
}

// Compresses the quadrant picture with libjpeg itself.
QByteArray Compresser(int largeur, int hauteur, Couleurs couleurs) {
    const int composantes = couleurs == Couleurs::Rgb ? 3 : couleurs == Couleurs::Gris ? 1 : 4;
    const J_COLOR_SPACE espace = couleurs == Couleurs::Rgb    ? JCS_RGB
                                 : couleurs == Couleurs::Gris ? JCS_GRAYSCALE
                                                              : JCS_CMYK;
    return CompresserJpeg(
        largeur, hauteur, composantes, espace,
        [&](int y, unsigned char* ligne) {
            for (int x = 0; x < largeur; ++x) {
                const int q = Quadrant(x, y, largeur, hauteur);
                unsigned char* p = &ligne[size_t(x * composantes)];
                if (couleurs == Couleurs::Rgb) {
                    for (int c = 0; c < 3; ++c)
                        p[c] = static_cast<unsigned char>(QuadrantsRgb[q][c]);
                } else if (couleurs == Couleurs::Gris) {
                    p[0] = static_cast<unsigned char>(QuadrantsGris[q]);
                } else if (couleurs == Couleurs::CmjnAdobe) {
                    // Adobe's convention, which libjpeg's marker announces: inverted inks, no
                    // black.
                    for (int c = 0; c < 3; ++c)
                        p[c] = static_cast<unsigned char>(QuadrantsRgb[q][c]);
                    p[3] = 255;
                } else {
                    for (int c = 0; c < 3; ++c)
                        p[c] = static_cast<unsigned char>(255 - QuadrantsRgb[q][c]);
                    p[3] = 0;
                }
            }
        },
        couleurs != Couleurs::CmjnSimple);
}

QByteArray Pixel(const ImageDecodee& image, int x, int y) {
    return image.Rgb.mid((qsizetype(y) * image.Largeur + x) * 3, 3);
}

// Memory handed to DecoderJpeg32, with lines longer than the picture's (as a screen image may
// have): a decoder that ignores the pitch shears the picture. The margins keep a mark that
// must survive.
struct Toile {
    int Largeur = 0;
    int Hauteur = 0;
    qsizetype Pas = 0;
    int Appels = 0;
    bool Refuser = false;
    std::vector<unsigned char> Octets;

    static unsigned char* Fournir(void* contexte, int largeur, int hauteur, qsizetype* pas) {
        auto* t = static_cast<Toile*>(contexte);
        ++t->Appels;
        t->Largeur = largeur;
        t->Hauteur = hauteur;
        t->Pas = qsizetype(largeur) * 4 + 12;
        *pas = t->Pas;
        if (t->Refuser)
            return nullptr;
        t->Octets.assign(size_t(t->Pas) * size_t(hauteur), 0xA5);
        return t->Octets.data();
    }
    quint32 Mot(int x, int y) const {
        quint32 m = 0;
        std::memcpy(&m, &Octets[size_t(qsizetype(y) * Pas + qsizetype(x) * 4)], 4);
        return m;
    }
};

} // namespace

class TestDecodageJpeg : public QObject {
    Q_OBJECT

private slots:
    void images_data() {
        QTest::addColumn<int>("largeur");
        QTest::addColumn<int>("hauteur");
        QTest::addColumn<int>("couleurs");
        QTest::newRow("rgb") << 64 << 48 << int(Couleurs::Rgb);
        // Odd sizes: a decoder that pads its lines or mixes up width and height shows here.
        QTest::newRow("rgb taille impaire") << 33 << 17 << int(Couleurs::Rgb);
        QTest::newRow("rgb haute et etroite") << 10 << 70 << int(Couleurs::Rgb);
        QTest::newRow("gris") << 40 << 30 << int(Couleurs::Gris);
        QTest::newRow("gris taille impaire") << 21 << 35 << int(Couleurs::Gris);
        QTest::newRow("cmjn adobe") << 32 << 32 << int(Couleurs::CmjnAdobe);
        QTest::newRow("cmjn sans marqueur adobe") << 32 << 32 << int(Couleurs::CmjnSimple);
    }

    void images() {
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        QFETCH(int, couleurs);
        const auto genre = Couleurs(couleurs);
        const QByteArray jpeg = Compresser(largeur, hauteur, genre);
        QVERIFY(jpeg.size() > 100);

        ImageDecodee image;
        QVERIFY(DecoderJpeg(jpeg, image));
        QCOMPARE(image.Largeur, largeur);
        QCOMPARE(image.Hauteur, hauteur);
        QCOMPARE(image.Rgb.size(), qsizetype(largeur) * hauteur * 3);

        // The middle of each quadrant, away from the edges JPEG blurs.
        for (int q = 0; q < 4; ++q) {
            const int x = (q % 2) * largeur / 2 + largeur / 4;
            const int y = (q / 2) * hauteur / 2 + hauteur / 4;
            const QByteArray lu = Pixel(image, x, y);
            for (int c = 0; c < 3; ++c) {
                const int attendu = genre == Couleurs::Gris ? QuadrantsGris[q] : QuadrantsRgb[q][c];
                const int valeur = static_cast<unsigned char>(lu[c]);
                QVERIFY2(std::abs(valeur - attendu) <= 12,
                         qPrintable(QStringLiteral("quadrant %1 composante %2 : %3 au lieu de %4")
                                        .arg(q)
                                        .arg(c)
                                        .arg(valeur)
                                        .arg(attendu)));
            }
        }
    }

    // Up to 8000 pixels a side a picture is decoded whole; a phone's photo at a half, a
    // quarter or an eighth of its size; what is still too big then is refused before anything
    // is allocated.
    void dimensionsLimites_data() {
        QTest::addColumn<int>("largeur");
        QTest::addColumn<int>("hauteur");
        QTest::addColumn<int>("largeurLue"); // 0: refused
        QTest::addColumn<int>("hauteurLue");
        QTest::newRow("8000 de large") << 8000 << 2 << 8000 << 2;
        QTest::newRow("8001 de large, lue a moitie") << 8001 << 2 << 4001 << 1;
        QTest::newRow("8001 de haut, lue a moitie") << 2 << 8001 << 1 << 4001;
        QTest::newRow("photo de telephone 8160") << 8160 << 16 << 4080 << 8;
        QTest::newRow("32001 de large, lue au huitieme") << 32001 << 8 << 4001 << 1;
        QTest::newRow("65000 de large, trop meme au huitieme") << 65000 << 8 << 0 << 0;
    }

    void dimensionsLimites() {
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        QFETCH(int, largeurLue);
        QFETCH(int, hauteurLue);
        ImageDecodee image;
        QCOMPARE(DecoderJpeg(GrisBrut(largeur, hauteur), image), largeurLue > 0);
        QCOMPARE(image.Largeur, largeurLue);
        QCOMPARE(image.Hauteur, hauteurLue);
        QCOMPARE(image.Rgb.size(), qsizetype(largeurLue) * hauteurLue * 3);
    }

    void refus_data() {
        QTest::addColumn<QByteArray>("octets");
        const QByteArray bon = Compresser(64, 48, Couleurs::Rgb);
        QTest::newRow("vide") << QByteArray();
        QByteArray hasard(2000, '\0');
        QRandomGenerator generateur(42);
        for (auto& o : hasard)
            o = char(generateur.bounded(256));
        QTest::newRow("octets au hasard") << hasard;
        QTest::newRow("octets au hasard derriere le marqueur")
            << QByteArray("\xFF\xD8", 2) + hasard;
        QTest::newRow("marqueur seul") << bon.left(2);
        QTest::newRow("coupe dans l'en-tete") << bon.left(bon.indexOf("\xFF\xC0") + 4);
        QTest::newRow("coupe a 10 %") << bon.left(bon.size() / 10);
        QTest::newRow("coupe a la moitie") << bon.left(bon.size() / 2);
        QTest::newRow("coupe a 90 %") << bon.left(bon.size() * 9 / 10);
        // Every line decoded, only the end marker missing.
        QTest::newRow("sans marqueur de fin") << bon.left(bon.size() - 2);
        QTest::newRow("png") << QByteArray::fromHex(
            "89504e470d0a1a0a0000000d4948445200000001000000010802000000"
            "907753de0000000c4944415408d763f8cfc000000301010018dd8db0"
            "0000000049454e44ae426082");
        QByteArray abime = bon;
        for (qsizetype i = bon.size() / 2; i < bon.size() / 2 + 40; ++i)
            abime[i] = '\xFF';
        QTest::newRow("donnees ecrasees") << abime;
    }

    void refus() {
        QFETCH(QByteArray, octets);
        ImageDecodee image;
        image.Largeur = 7; // a failure leaves nothing behind
        image.Rgb = "xyz";
        QVERIFY(!DecoderJpeg(octets, image));
        QCOMPARE(image.Largeur, 0);
        QCOMPARE(image.Hauteur, 0);
        QVERIFY(image.Rgb.isEmpty());
    }

    // The 32-bit decoding gives exactly the pixels of the RGB one, in 0xffRRGGBB words, for
    // every colour layout, and leaves the end of each line alone.
    void images32_data() { images_data(); }

    void images32() {
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        QFETCH(int, couleurs);
        const QByteArray jpeg = Compresser(largeur, hauteur, Couleurs(couleurs));
        ImageDecodee rgb;
        QVERIFY(DecoderJpeg(jpeg, rgb));
        Toile toile;
        QVERIFY(DecoderJpeg32(jpeg, Toile::Fournir, &toile));
        QCOMPARE(toile.Appels, 1);
        QCOMPARE(toile.Largeur, largeur);
        QCOMPARE(toile.Hauteur, hauteur);
        for (int y = 0; y < hauteur; ++y) {
            for (int x = 0; x < largeur; ++x) {
                const QByteArray p = Pixel(rgb, x, y);
                const quint32 attendu = 0xff000000u | quint32(quint8(p[0])) << 16 |
                                        quint32(quint8(p[1])) << 8 | quint32(quint8(p[2]));
                if (toile.Mot(x, y) != attendu)
                    QFAIL(qPrintable(QStringLiteral("(%1, %2) : %3 au lieu de %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(toile.Mot(x, y), 8, 16)
                                         .arg(attendu, 8, 16)));
            }
            for (qsizetype i = qsizetype(largeur) * 4; i < toile.Pas; ++i)
                QCOMPARE(toile.Octets[size_t(qsizetype(y) * toile.Pas + i)], 0xA5);
        }
    }

    void refus32_data() { refus_data(); }

    void refus32() {
        QFETCH(QByteArray, octets);
        Toile toile;
        QVERIFY(!DecoderJpeg32(octets, Toile::Fournir, &toile));
    }

    // No memory for the picture: refused, and the next picture decodes.
    void refus32SansMemoire() {
        const QByteArray bon = Compresser(16, 16, Couleurs::Rgb);
        Toile toile;
        toile.Refuser = true;
        QVERIFY(!DecoderJpeg32(bon, Toile::Fournir, &toile));
        QCOMPARE(toile.Appels, 1);
        toile.Refuser = false;
        QVERIFY(DecoderJpeg32(bon, Toile::Fournir, &toile));
        QCOMPARE(toile.Mot(2, 2) >> 24, 0xffu);
    }

    // A failed picture must not spoil the next one (libjpeg state left behind by a longjmp).
    void bonApresMauvais() {
        const QByteArray bon = Compresser(16, 16, Couleurs::Rgb);
        ImageDecodee image;
        QVERIFY(!DecoderJpeg(bon.left(bon.size() / 2), image));
        QVERIFY(DecoderJpeg(bon, image));
        QCOMPARE(image.Largeur, 16);
    }
};

QTEST_GUILESS_MAIN(TestDecodageJpeg)
#include "tst_decodagejpeg.moc"
