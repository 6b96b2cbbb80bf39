#pragma once
// libzip's files named as the system names them. Linux hands it the bytes of the name
// (FichierZipPosix.cpp); Windows would read a char path in its ANSI code page, where most
// accented names are lost, so there the name goes in UTF-16 (FichierZipWin.cpp).

#include <QString>
#include <zip.h>

// zip_open; on failure `code` is libzip's and `systeme` the system's error behind it.
zip_t* OuvrirFichierZip(const QString& chemin, int flags, int* code, int* systeme);
// zip_source_file for the whole file.
zip_source_t* SourceFichierZip(zip_t* z, const QString& chemin);
