// The kinds of a wrong answer: a typed text and accepted spellings, the ranges each difference
// gives, and no difference exactly when the answer is accepted.

#include "core/Texte.h"
#include "core/exercise/Erreurs.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const QByteArray tout(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    const qsizetype coupure = tout.indexOf('\n');
    const QString tape = QString::fromUtf8(coupure < 0 ? tout : tout.left(coupure));
    const QStringList acceptees =
        coupure < 0 ? QStringList() : QString::fromUtf8(tout.mid(coupure + 1)).split(u'\n');
    const AnalyseErreurs a = AnalyserReponse(tape, acceptees);
    for (const DifferenceReponse& d : a.Differences) {
        if (d.DebutTape < 0 || d.LongueurTape < 0 || d.DebutTape + d.LongueurTape > a.Tape.size() ||
            d.DebutModele < 0 || d.LongueurModele < 0 ||
            d.DebutModele + d.LongueurModele > a.Modele.size())
            std::abort();
        if (d.Genre == GenreErreur::Loin && a.Differences.size() != 1)
            std::abort();
    }
    if (!acceptees.isEmpty()) {
        // The judge's own comparison (ReponseJuste, once the item name is decoded).
        bool juste = false;
        for (const QString& r : acceptees)
            juste = juste || FormeComparaison(tape) == MinusculesAZ(TexteSaisi(r));
        if (juste != a.Differences.isEmpty())
            std::abort();
    }
    PhraseIndice(a);
    return 0;
}
