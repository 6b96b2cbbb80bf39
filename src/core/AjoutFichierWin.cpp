#include "core/AjoutFichier.h"

#include <QDir>

#include <windows.h>

namespace {

HANDLE Ouvrir(const QString& chemin, DWORD acces, DWORD creation) {
    const QString natif = QDir::toNativeSeparators(chemin);
    return CreateFileW(reinterpret_cast<const wchar_t*>(natif.utf16()), acces,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, creation,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

// Opened with FILE_APPEND_DATA alone, Windows writes each block at the end of the file as it is
// then, on the disk and over a share; Qt's append only seeks to the end first, which two
// computers could both do before either writes.
bool AjouterOctets(const QString& reel, const QByteArray& octets) {
    const HANDLE h = Ouvrir(reel, FILE_APPEND_DATA | SYNCHRONIZE, OPEN_ALWAYS);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD ecrits = 0;
    const BOOL ok = WriteFile(h, octets.constData(), DWORD(octets.size()), &ecrits, nullptr);
    // Where the write ended: the end of the file as long as nobody appended since.
    LARGE_INTEGER apres{};
    const bool connu = SetFilePointerEx(h, LARGE_INTEGER{}, &apres, FILE_CURRENT);
    CloseHandle(h);
    if (ok && qint64(ecrits) == octets.size())
        return true;
    if (ecrits == 0 || !connu)
        return false;
    // A write cut short: taken back only while those bytes are still the file's last ones,
    // through a second handle, the append one cannot cut.
    const HANDLE c = Ouvrir(reel, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
    if (c == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER taille{};
    if (GetFileSizeEx(c, &taille) && taille.QuadPart == apres.QuadPart &&
        taille.QuadPart >= LONGLONG(ecrits)) {
        FILE_END_OF_FILE_INFO fin{};
        fin.EndOfFile.QuadPart = taille.QuadPart - LONGLONG(ecrits);
        SetFileInformationByHandle(c, FileEndOfFileInfo, &fin, sizeof fin);
    }
    CloseHandle(c);
    return false;
}
