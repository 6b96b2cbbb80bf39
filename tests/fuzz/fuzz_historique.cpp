// Any bytes as a pupil's history, then the updates an answer makes: no crash, and the
// counts stay a well-formed text once updated.

#include "core/Etat.h"
#include "core/records/Reussites.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    Etat.Reinitialiser();
    Etat.NomEleve = QStringLiteral("Paul");
    const QByteArray contenu(reinterpret_cast<const char*>(donnees),
                             static_cast<qsizetype>(taille));
    LireReussites(contenu);
    if (Etat.NbItemsDejaReussis > Etat.ListeReussites.size())
        std::abort();
    // Update the first few keys the file named, as answers would.
    const int n = std::min<int>(3, Etat.ListeReussites.size());
    for (int i = 0; i < n; ++i) {
        const QString cle = Etat.ListeReussites.at(i).Cle;
        NoterEchec(cle);
        NoterReussite(cle);
        const EntreeReussite* e = nullptr;
        for (const EntreeReussite& x : Etat.ListeReussites)
            if (x.Cle == CleReussite(cle)) {
                e = &x;
                break;
            }
        if (!cle.isEmpty() && e && DernierCompte(e->Compteurs) < 1)
            std::abort();
    }
    return 0;
}
