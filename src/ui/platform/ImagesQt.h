#pragma once
// Loading of the pictures the program shows. JPEG goes through libjpeg (Qt's own JPEG plugin may
// be missing on a pupil's machine); BMP and PNG through Qt. A picture that cannot be read gives
// a null image and is simply not shown: no message, ever.

#include <QImage>
#include <QPixmap>
#include <QString>

class QLabel;

// A picture file on disk (item pictures, the default pictures beside the program).
QImage ChargerImage(const QString& chemin);
// A picture stored with the forms (":/art/..."); taken from the start-up's Prechargement when
// it was decoded there ahead.
QPixmap ChargerImageRessource(const QString& cheminRessource);
// A picture that fills its label edge to edge, as the background of a form: Qt then leaves
// out painting the form's own background underneath, which would never show.
void PoserImageDeFond(QLabel* fond, const QPixmap& image);
// The decoding shared by both, from the file's bytes.
QImage ImageDepuisOctets(const QByteArray& octets);
