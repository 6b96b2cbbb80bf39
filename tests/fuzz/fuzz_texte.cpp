// The text reader: encoding detection, decoding, line splitting, and the Windows-1252 round
// trip of what was read as Windows-1252.

#include "core/FichierTexte.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const QByteArray octets(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    const QString texte = DecoderTexte(octets);
    const QStringList lignes = DecouperLignes(texte);
    for (const QString& l : lignes)
        if (l.contains(u'\r') || l.contains(u'\n'))
            std::abort();
    if (DetecterEncodage(octets) == Encodage::Cp1252 && Cp1252::Encoder(texte) != octets)
        std::abort();
    return 0;
}
