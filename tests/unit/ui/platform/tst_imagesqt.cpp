// Loading pictures from disk: the kind of picture is told by its bytes, not its name, and a
// picture that cannot be read is a null image, quietly.

#include "JpegEssai.h"
#include "ui/platform/ImagesQt.h"
#include "ui/platform/Prechargement.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

namespace {

// Left half red, right half blue.
QColor Attendue(int x, int largeur) {
    return x < largeur / 2 ? QColor(210, 20, 20) : QColor(20, 30, 200);
}

QByteArray Jpeg(int largeur, int hauteur) {
    return CompresserJpeg(largeur, hauteur, 3, JCS_RGB, [largeur](int, unsigned char* ligne) {
        for (int x = 0; x < largeur; ++x) {
            const QColor c = Attendue(x, largeur);
            ligne[size_t(x) * 3] = static_cast<unsigned char>(c.red());
            ligne[size_t(x) * 3 + 1] = static_cast<unsigned char>(c.green());
            ligne[size_t(x) * 3 + 2] = static_cast<unsigned char>(c.blue());
        }
    });
}

QByteArray Encoder(int largeur, int hauteur, const char* format) {
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    for (int y = 0; y < hauteur; ++y)
        for (int x = 0; x < largeur; ++x)
            image.setPixelColor(x, y, Attendue(x, largeur));
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, format);
    return octets;
}

bool Proche(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 12 && std::abs(a.green() - b.green()) <= 12 &&
           std::abs(a.blue() - b.blue()) <= 12;
}

} // namespace

class TestImagesQt : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dossier;

    QString Ecrire(const QString& nom, const QByteArray& octets) {
        const QString chemin = m_dossier.filePath(nom);
        QDir().mkpath(QFileInfo(chemin).path());
        QFile f(chemin);
        if (f.open(QIODevice::WriteOnly))
            f.write(octets);
        return chemin;
    }

private slots:
    void initTestCase() { QVERIFY(m_dossier.isValid()); }

    // The program's own pictures (PNG) are read without loading a single picture plug-in:
    // Qt, allowed to guess, loads every plug-in to ask whether it reads the bytes, several
    // milliseconds of each start-up. First of the tests, before any other picture is read.
    void pngSansModule() {
        Prechargement::EnregistrerImages();
        const QImage image = ChargerImage(QStringLiteral(":/art/ecoute.png"));
        QVERIFY(!image.isNull());
        QFile cartes(QStringLiteral("/proc/self/maps"));
        QVERIFY(cartes.open(QIODevice::ReadOnly));
        const QByteArray chargees = cartes.readAll();
        QVERIFY2(!chargees.contains("imageformats/"),
                 chargees.mid(chargees.indexOf("imageformats/") - 80, 160).constData());
    }

    void chargees_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<int>("largeur");
        QTest::addColumn<int>("hauteur");
        // Widths whose RGB lines are not a multiple of 4 bytes: a copy that forgets the
        // QImage line padding shears the picture.
        QTest::newRow("jpeg") << "image.jpg" << Jpeg(64, 40) << 64 << 40;
        QTest::newRow("jpeg largeur impaire") << "impaire.JPG" << Jpeg(33, 21) << 33 << 21;
        QTest::newRow("jpeg nomme bmp") << "qvx_pardefaut.bmp" << Jpeg(30, 10) << 30 << 10;
        QTest::newRow("bmp") << "dessin.bmp" << Encoder(31, 9, "BMP") << 31 << 9;
        QTest::newRow("png nomme jpg") << "fausse.jpg" << Encoder(17, 12, "PNG") << 17 << 12;
        QTest::newRow("dossier accentue") << "Dictées/élève.jpg" << Jpeg(20, 20) << 20 << 20;
    }

    void chargees() {
        QFETCH(QString, nom);
        QFETCH(QByteArray, octets);
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        QVERIFY(!octets.isEmpty());
        const QString chemin = Ecrire(nom, octets);

        const QImage image = ChargerImage(chemin);
        QCOMPARE(image.size(), QSize(largeur, hauteur));
        for (int y : {0, hauteur / 2, hauteur - 1}) {
            for (int x : {2, largeur / 4, largeur * 3 / 4, largeur - 2}) {
                QVERIFY2(Proche(image.pixelColor(x, y), Attendue(x, largeur)),
                         qPrintable(QStringLiteral("(%1, %2) : %3")
                                        .arg(x)
                                        .arg(y)
                                        .arg(image.pixelColor(x, y).name())));
            }
        }
        const QPixmap pixmap = ChargerImageRessource(chemin);
        QCOMPARE(pixmap.size(), QSize(largeur, hauteur));
    }

    // A picture fitted into a 160 x 160 frame: to the frame's pixels at the screen's ratio,
    // proportions kept; a small one keeps its pixels unless it may be enlarged (off the main
    // thread); one fitted already comes back as it is.
    void ajustees_data() {
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<qreal>("ratioImage");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("agrandir");
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<qreal>("ratioMontre");
        QTest::newRow("photo, scale 1")
            << QSize(640, 480) << 1.0 << 1.0 << false << QSize(160, 120) << 1.0;
        QTest::newRow("photo, scale 2")
            << QSize(640, 480) << 1.0 << 2.0 << false << QSize(320, 240) << 2.0;
        QTest::newRow("small, kept")
            << QSize(160, 160) << 1.0 << 2.0 << false << QSize(160, 160) << 1.0;
        QTest::newRow("small, enlarged")
            << QSize(160, 160) << 1.0 << 2.0 << true << QSize(320, 320) << 2.0;
        QTest::newRow("fitted already")
            << QSize(320, 320) << 2.0 << 2.0 << false << QSize(320, 320) << 2.0;
    }
    void ajustees() {
        QFETCH(QSize, taille);
        QFETCH(qreal, ratioImage);
        QFETCH(qreal, ratio);
        QFETCH(bool, agrandir);
        QFETCH(QSize, pixels);
        QFETCH(qreal, ratioMontre);
        QImage image(taille, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        image.setDevicePixelRatio(ratioImage);
        const QImage ajustee = ImageAjustee(image, QSize(160, 160), ratio, agrandir);
        QCOMPARE(ajustee.size(), pixels);
        QCOMPARE(ajustee.devicePixelRatio(), ratioMontre);
        QCOMPARE(ajustee.deviceIndependentSize().width(), 160.0);
        QCOMPARE(ajustee.pixelColor(pixels.width() / 2, pixels.height() / 2), QColor(Qt::darkCyan));
    }

    // The studio's picture of an item: brought down to the largest side the exercise needs,
    // never enlarged, proportions kept, and readable back.
    void jpegPourItem_data() {
        QTest::addColumn<QSize>("taille");
        QTest::addColumn<QSize>("ecrite");
        QTest::newRow("phone photo, landscape") << QSize(4080, 3060) << QSize(800, 600);
        QTest::newRow("portrait") << QSize(600, 1600) << QSize(300, 800);
        QTest::newRow("small, kept") << QSize(120, 90) << QSize(120, 90);
    }
    void jpegPourItem() {
        QFETCH(QSize, taille);
        QFETCH(QSize, ecrite);
        QImage image(taille, QImage::Format_ARGB32);
        image.fill(QColor(200, 40, 40));
        const QImage relue = ImageDepuisOctets(JpegPourItem(image));
        QCOMPARE(relue.size(), ecrite);
        QVERIFY(qAbs(relue.pixelColor(ecrite.width() / 2, ecrite.height() / 2).red() - 200) < 8);
    }

    void refusees_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("octets");
        const QByteArray bon = Jpeg(64, 40);
        QTest::newRow("vide") << "vide.jpg" << QByteArray();
        QTest::newRow("jpeg coupe") << "coupe.jpg" << bon.left(bon.size() / 2);
        QTest::newRow("jpeg sans fin") << "sansfin.jpg" << bon.left(bon.size() - 2);
        QTest::newRow("texte") << "texte.bmp" << QByteArray("pas une image");
    }

    void refusees() {
        QFETCH(QString, nom);
        QFETCH(QByteArray, octets);
        const QString chemin = Ecrire(nom, octets);
        QVERIFY(QFile::exists(chemin));
        QVERIFY(ChargerImage(chemin).isNull());
        QVERIFY(ChargerImageRessource(chemin).isNull());
    }

    void absentes_data() {
        QTest::addColumn<QString>("chemin");
        QTest::newRow("fichier absent") << m_dossier.filePath(QStringLiteral("absent.jpg"));
        QTest::newRow("ressource absente") << QStringLiteral(":/art/absente.jpg");
        QTest::newRow("dossier") << m_dossier.path();
        QTest::newRow("nom vide") << QString();
    }

    void absentes() {
        QFETCH(QString, chemin);
        QVERIFY(ChargerImage(chemin).isNull());
        QVERIFY(ChargerImageRessource(chemin).isNull());
    }
};

QTEST_MAIN(TestImagesQt)
#include "tst_imagesqt.moc"
