#include "ui/platform/ImagesQt.h"

#include "core/DecodageJpeg.h"
#include "ui/platform/Prechargement.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QScreen>
#include <QWidget>

#include <utility>

namespace {

// Pictures beyond this are not pictures of ours; reading them whole would only waste memory.
constexpr qint64 TailleMax = 64LL * 1024 * 1024;

QByteArray LireFichier(const QString& chemin) {
    if (chemin.isEmpty())
        return {};
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly) || fichier.size() > TailleMax)
        return {};
    return fichier.readAll();
}

} // namespace

QImage ImageDepuisOctets(const QByteArray& octets) {
    if (octets.size() >= 2 && static_cast<unsigned char>(octets[0]) == 0xFF &&
        static_cast<unsigned char>(octets[1]) == 0xD8) {
        // Decoded straight into the image, in the screen's own layout: no copy, no conversion.
        QImage image;
        const auto fournir = [](void* contexte, int largeur, int hauteur, qsizetype* pas) {
            auto* cible = static_cast<QImage*>(contexte);
            *cible = QImage(largeur, hauteur, QImage::Format_RGB32);
            *pas = cible->bytesPerLine();
            return cible->isNull() ? nullptr : cible->bits();
        };
        if (!DecoderJpeg32(octets, fournir, &image))
            return {};
        return image;
    }
    if (octets.isEmpty())
        return {};
    // A PNG, told by its signature, goes straight to Qt's own reader: otherwise Qt first loads
    // every picture plug-in to ask each whether it reads these bytes (even with the format
    // named, as long as it may guess), several milliseconds of the start-up.
    if (octets.startsWith("\x89PNG\r\n\x1a\n")) {
        QBuffer tampon;
        tampon.setData(octets);
        QImageReader lecteur(&tampon, "png");
        lecteur.setAutoDetectImageFormat(false);
        return lecteur.read();
    }
    return QImage::fromData(octets);
}

void PoserImageDeFond(QLabel* fond, const QPixmap& image) {
    fond->setPixmap(image);
    const bool couvre = !image.isNull() && !image.hasAlphaChannel() &&
                        image.deviceIndependentSize().toSize() == fond->size();
    fond->setAttribute(Qt::WA_OpaquePaintEvent, couvre);
}

QImage ImageAjustee(const QImage& image, const QSize& cadre, qreal ratio, bool agrandir) {
    if (image.isNull() || cadre.isEmpty())
        return {};
    const QSize pixels = image.size().scaled((QSizeF(cadre) * ratio).toSize(), Qt::KeepAspectRatio);
    if (image.size() == pixels && qFuzzyCompare(image.devicePixelRatio(), ratio))
        return image; // fitted already
    if (image.width() > pixels.width() || agrandir) {
        QImage ajustee = image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        ajustee.setDevicePixelRatio(ratio);
        return ajustee;
    }
    // A picture with fewer pixels than the frame has keeps them all: it fills the frame by its
    // own ratio, enlarged smoothly at the painting, with nothing computed here.
    QImage telle = image;
    telle.setDevicePixelRatio(image.width() * ratio / pixels.width());
    return telle;
}

QPixmap ImageDansLeCadre(const QImage& image, const QWidget* cadre) {
    return QPixmap::fromImage(
        ImageAjustee(image, cadre->size(), cadre->devicePixelRatioF(), false));
}

QImage ChargerImage(const QString& chemin) {
    return ImageDepuisOctets(LireFichier(chemin));
}

QImage ChargerImageDAvance(const QString& chemin) {
    std::optional<QImage> avance = Prechargement::Prendre(chemin);
    return avance ? std::move(*avance) : ChargerImage(chemin);
}

namespace {

constexpr int Resolutions[] = {2, 4};

QString Variante(const QString& chemin, int fois) {
    const qsizetype point = chemin.lastIndexOf(u'.');
    return chemin.left(point) + u'@' + QString::number(fois) + u'x' + chemin.mid(point);
}

int ResolutionDe(const QString& variante) {
    for (const int fois : Resolutions)
        if (variante.contains(u'@' + QString::number(fois) + u'x'))
            return fois;
    return 1;
}

} // namespace

qreal RatioDesFenetres() {
    // The screen's own ratio, worked out at each call: the application's is cached at its first
    // use, and the scale may be set after that.
    const QScreen* ecran = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    return ecran ? ecran->devicePixelRatio() : 1.0;
}

QString RessourcePourRatio(const QString& cheminRessource, qreal ratio) {
    QString choisie = cheminRessource;
    if (ratio <= 1.0)
        return choisie;
    for (const int fois : Resolutions) {
        const QString v = Variante(cheminRessource, fois);
        if (!QFile::exists(v))
            break;
        choisie = v;
        // A picture enlarged by an eighth at most stays sharp; four times the pixels to
        // decode for that little would slow every start.
        if (fois * 1.125 >= ratio)
            break;
    }
    return choisie;
}

QPixmap ChargerImageRessource(const QString& cheminRessource) {
    const qreal ratio = RatioDesFenetres();
    const QString fichier = RessourcePourRatio(cheminRessource, ratio);
    QImage image = ChargerImageDAvance(fichier);
    if (image.isNull())
        return {};
    const int fois = ResolutionDe(fichier);
    if (fois > 1) {
        // Brought to the screen's exact resolution once, smoothly, rather than at every paint
        // without smoothing; the picture keeps its designed size on screen.
        const QSize voulue = (QSizeF(image.size()) / fois * ratio).toSize();
        if (voulue != image.size())
            image = image.scaled(voulue, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        image.setDevicePixelRatio(ratio);
    }
    return QPixmap::fromImage(std::move(image));
}

QByteArray JpegPourItem(const QImage& image) {
    QImage i = image;
    if (i.width() > ImageItemCoteMax || i.height() > ImageItemCoteMax)
        i = i.scaled(ImageItemCoteMax, ImageItemCoteMax, Qt::KeepAspectRatio,
                     Qt::SmoothTransformation);
    i = i.convertToFormat(QImage::Format_RGB888);
    ImageDecodee rgb;
    rgb.Largeur = i.width();
    rgb.Hauteur = i.height();
    rgb.Rgb.reserve(qsizetype(rgb.Largeur) * rgb.Hauteur * 3);
    for (int y = 0; y < i.height(); ++y)
        rgb.Rgb.append(reinterpret_cast<const char*>(i.constScanLine(y)), rgb.Largeur * 3);
    return EncoderJpegRgb(rgb);
}
