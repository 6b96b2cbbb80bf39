#pragma once
// An item's ".TXT" companion, read for the screen: a riddle or a sentence with a gap, a few
// lines. A file from elsewhere may be any size, and one long line of megabytes froze the
// windows that laid it out: only its beginning is read.

#include <QString>

// The largest ".TXT" companion: far more than a teacher writes for one item; a bigger one (the
// import refuses it) is cut where it is read.
inline constexpr qint64 OctetsCompagnonMax = 64 * 1024;

struct TexteCompagnon {
    QString Texte;      // lines joined by "\n"; ends with MarqueCoupure when cut
    bool Lu = false;    // the file exists and could be read
    bool Coupe = false; // the file holds more than OctetsCompagnonMax bytes
};

// What ends a cut text on screen.
QString MarqueCoupure();

// The companion at `chemin` (found whatever its letter case), at most OctetsCompagnonMax bytes
// of it, in any encoding the records accept.
TexteCompagnon LireTexteCompagnonBorne(const QString& chemin);
