#pragma once
// One append to a record file, whole or not at all as far as the system lets: the bytes go in
// one write at the file's end as the system finds it (another computer may be appending to the
// same file over the share); a write cut short (full disk, quota) is taken back as long as
// nobody appended after it. AjoutFichierPosix.cpp (O_APPEND) and AjoutFichierWin.cpp
// (FILE_APPEND_DATA), chosen by the build.

#include <QByteArray>
#include <QString>

bool AjouterOctets(const QString& reel, const QByteArray& octets);
