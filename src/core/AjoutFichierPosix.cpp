#include "core/AjoutFichier.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

// QFile's append opens with O_APPEND here: one unbuffered write lands at the end of the file as
// it is then. A write cut short (full disk, quota) is taken back: the bytes it left are the last
// ones of the file as long as nobody appended after them, and only then are they cut, so another
// computer's line is never touched.
bool AjouterOctets(const QString& reel, const QByteArray& octets) {
    QFile f(reel);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const qint64 ecrits = f.write(octets);
    if (ecrits == octets.size())
        return true;
    if (ecrits > 0) {
        const int fd = f.handle();
        const off_t fin = ::lseek(fd, 0, SEEK_CUR);
        struct stat etat{};
        if (fin >= ecrits && ::fstat(fd, &etat) == 0 && etat.st_size == fin) {
            [[maybe_unused]] const int r = ::ftruncate(fd, fin - ecrits);
        }
    }
    return false;
}
