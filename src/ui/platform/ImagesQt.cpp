#include "ui/platform/ImagesQt.h"

#include "core/DecodageJpeg.h"
#include "ui/platform/Prechargement.h"

#include <QFile>
#include <QLabel>

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
    // A PNG, told by its signature, goes straight to Qt's own reader: without a format named,
    // Qt would first load every picture plug-in to ask each whether it knows these bytes.
    const bool png = octets.startsWith("\x89PNG\r\n\x1a\n");
    return QImage::fromData(octets, png ? "PNG" : nullptr);
}

void PoserImageDeFond(QLabel* fond, const QPixmap& image) {
    fond->setPixmap(image);
    const bool couvre = !image.isNull() && !image.hasAlphaChannel() &&
                        image.deviceIndependentSize().toSize() == fond->size();
    fond->setAttribute(Qt::WA_OpaquePaintEvent, couvre);
}

QImage ChargerImage(const QString& chemin) {
    return ImageDepuisOctets(LireFichier(chemin));
}

QPixmap ChargerImageRessource(const QString& cheminRessource) {
    std::optional<QImage> avance = Prechargement::Prendre(cheminRessource);
    QImage image = avance ? std::move(*avance) : ImageDepuisOctets(LireFichier(cheminRessource));
    return image.isNull() ? QPixmap() : QPixmap::fromImage(std::move(image));
}
