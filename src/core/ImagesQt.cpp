#include "ImagesQt.h"

#include "core/DecodageJpeg.h"

#include <QFile>

#include <cstring>

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
        ImageDecodee decodee;
        if (!DecoderJpeg(octets, decodee))
            return {};
        QImage image(decodee.Largeur, decodee.Hauteur, QImage::Format_RGB888);
        if (image.isNull())
            return {};
        const qsizetype pas = static_cast<qsizetype>(decodee.Largeur) * 3;
        // QImage pads its lines to 4 bytes: copy line by line.
        for (int y = 0; y < decodee.Hauteur; ++y)
            std::memcpy(image.scanLine(y), decodee.Rgb.constData() + pas * y,
                        static_cast<size_t>(pas));
        return image;
    }
    if (octets.isEmpty())
        return {};
    return QImage::fromData(octets);
}

QImage ChargerImage(const QString& chemin) {
    return ImageDepuisOctets(LireFichier(chemin));
}

QPixmap ChargerImageRessource(const QString& cheminRessource) {
    const QImage image = ImageDepuisOctets(LireFichier(cheminRessource));
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}
