// An item file name and a typed answer: decoding, the answer check and the model answer.

#include "core/Texte.h"
#include "core/exercise/DecodageItem.h"
#include "core/exercise/ItemsExercice.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const QByteArray tout(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    const qsizetype coupure = tout.indexOf('\n');
    const QString nom = QString::fromUtf8(coupure < 0 ? tout : tout.left(coupure));
    const QString tape = coupure < 0 ? QString() : QString::fromUtf8(tout.mid(coupure + 1));
    const QStringList reponses = ReponsesAcceptees(nom);
    if (reponses.isEmpty())
        std::abort();
    ReponseJuste(tape, nom);
    // An accepted answer, typed as it stands, is accepted (answers are not trimmed, so one
    // with blanks or controls at its ends can never match a trimmed typing).
    if (!ReponseJuste(reponses.first(), nom) && reponses.first() == Rogner(reponses.first()))
        std::abort();
    ModeleReponse(nom);
    CleItem(nom);
    return 0;
}
