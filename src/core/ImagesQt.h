#pragma once
// Loading of the pictures the program shows. JPEG goes through libjpeg (Qt's own JPEG plugin may
// be missing on a pupil's machine); BMP and PNG through Qt. A picture that cannot be read gives
// a null image and is simply not shown: no message, ever.

#include <QImage>
#include <QPixmap>
#include <QString>

// A picture file on disk (item pictures, the default pictures beside the program).
QImage ChargerImage(const QString& chemin);
// A picture stored with the forms (":/art/...").
QPixmap ChargerImageRessource(const QString& cheminRessource);
// The decoding shared by both, from the file's bytes.
QImage ImageDepuisOctets(const QByteArray& octets);
