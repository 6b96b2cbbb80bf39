#include "archive/FichierZip.h"

namespace {

const wchar_t* Large(const QString& chemin) {
    return reinterpret_cast<const wchar_t*>(chemin.utf16());
}

} // namespace

zip_t* OuvrirFichierZip(const QString& chemin, int flags, int* code, int* systeme) {
    zip_error_t erreur;
    zip_error_init(&erreur);
    zip_t* z = nullptr;
    if (zip_source_t* source = zip_source_win32w_create(Large(chemin), 0, -1, &erreur)) {
        z = zip_open_from_source(source, flags, &erreur);
        if (!z)
            zip_source_free(source);
    }
    *code = z ? ZIP_ER_OK : zip_error_code_zip(&erreur);
    *systeme = z ? 0 : zip_error_code_system(&erreur);
    zip_error_fini(&erreur);
    return z;
}

zip_source_t* SourceFichierZip(zip_t* z, const QString& chemin) {
    return zip_source_win32w(z, Large(chemin), 0, -1);
}
