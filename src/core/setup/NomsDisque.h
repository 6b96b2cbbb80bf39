#pragma once
// Whether a folder holds an entry whose name on disk is not UTF-8. Linux keeps names as bytes,
// which a share mounted without UTF-8 names fills with another code page's (NomsDisquePosix.cpp);
// Windows keeps every name in UTF-16, which Qt always reads (NomsDisqueWin.cpp: never).

#include <QString>

bool NomsDisqueNonUtf8(const QString& dossier);
