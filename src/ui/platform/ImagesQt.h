#pragma once
// Loading of the pictures the program shows. JPEG goes through libjpeg (Qt's own JPEG plugin may
// be missing on a pupil's machine); BMP and PNG through Qt. A picture that cannot be read gives
// a null image and is simply not shown: no message, ever.

#include <QImage>
#include <QPixmap>
#include <QString>

class QLabel;
class QWidget;

// A picture file on disk (item pictures, the default pictures beside the program).
QImage ChargerImage(const QString& chemin);
// The same, taken from the start-up read-ahead when it decoded that file (fitted, if it was
// asked so), else decoded here.
QImage ChargerImageDAvance(const QString& chemin);
// A picture stored with the forms (":/art/..."), at the resolution the screen draws at; taken
// from the start-up's Prechargement when it was decoded there ahead.
QPixmap ChargerImageRessource(const QString& cheminRessource);
// Which file of a picture stored with the forms to decode for `ratio` device pixels per design
// pixel: the smallest of its resolutions (as designed, "@2x", "@4x") at least that fine, or the
// finest there is.
QString RessourcePourRatio(const QString& cheminRessource, qreal ratio);
// The device pixels per design pixel the windows are drawn at.
qreal RatioDesFenetres();
// A picture that fills its label edge to edge, as the background of a form: Qt then leaves
// out painting the form's own background underneath, which would never show.
void PoserImageDeFond(QLabel* fond, const QPixmap& image);
// A picture fitted into its label, proportions kept, smoothly scaled once to the pixels the
// screen really has there: sharp at every scale (a picture scaled to the label's design size
// would be enlarged again, blurred, at each painting). A picture already fitted to those
// pixels (ImageAjustee, ahead of time) is shown as it is.
QPixmap ImageDansLeCadre(const QImage& image, const QWidget* cadre);
// The same fitting for a frame of `cadre` design pixels drawn at `ratio`. A picture with fewer
// pixels than the frame keeps them and fills the frame by its own ratio, unless `agrandir`
// (off the main thread, where the smooth enlargement costs the painting nothing).
QImage ImageAjustee(const QImage& image, const QSize& cadre, qreal ratio, bool agrandir);
// The decoding shared by both, from the file's bytes.
QImage ImageDepuisOctets(const QByteArray& octets);

// The studio's picture of an item, ready to be written as its ".JPG": no side above
// ImageItemCoteMax (the exercise shows it in 160 pixels; a phone's photo is brought down,
// proportions kept), encoded in JPEG. Empty when it cannot be encoded.
inline constexpr int ImageItemCoteMax = 800;
QByteArray JpegPourItem(const QImage& image);
