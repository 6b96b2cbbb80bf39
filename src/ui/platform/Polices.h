#pragma once
// The windows are drawn for DejaVu Sans, Debian's own letters. Windows has not got it, and its
// letters are wider or narrower, so the Windows program brings it (polices/ beside the
// executable) and makes it the application's font; on Linux the system's is used as it is.
// The reading letters (Andika, OpenDyslexic) come the same way, but only when a setting asks.

#include <QString>

// Once the application exists, before the first window.
void PolicesDuProgramme();

// Whether `famille` can be drawn: on Windows its files in polices/ are registered at the first
// asking. Never asked with the standard letters, so the font database is not queried for them.
bool PoliceDisponible(const QString& famille);
