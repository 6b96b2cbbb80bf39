#pragma once
// The windows are drawn for DejaVu Sans, Debian's own letters. Windows has not got it, and its
// letters are wider or narrower, so the Windows program brings it (polices/ beside the
// executable) and makes it the application's font; on Linux the system's is used as it is.

// Once the application exists, before the first window.
void PolicesDuProgramme();
