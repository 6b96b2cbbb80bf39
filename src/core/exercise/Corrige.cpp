#include "core/exercise/Corrige.h"

#include <algorithm>
#include <vector>

namespace {

// Where two differences cover one letter ("e" for "É" is an accent and a capital; a letter can
// also be both wrong and part of a swap), the stronger mark shows.
int Force(MarqueCorrige m) {
    switch (m) {
    case MarqueCorrige::Aucune:
        return 0;
    case MarqueCorrige::Accent:
        return 1;
    case MarqueCorrige::LettreFausse:
        return 2;
    case MarqueCorrige::LettreEnTrop:
        return 3;
    case MarqueCorrige::Manquante:
        break;
    }
    return 0;
}

MarqueCorrige MarqueDe(const DifferenceReponse& d) {
    if (d.LongueurModele == 0)
        return MarqueCorrige::LettreEnTrop;
    if (d.Genre == GenreErreur::Accent || d.Genre == GenreErreur::Majuscule)
        return MarqueCorrige::Accent;
    return MarqueCorrige::LettreFausse;
}

void Ajouter(QList<SegmentCorrige>& segments, QChar c, MarqueCorrige marque) {
    if (!segments.isEmpty() && segments.last().Marque == marque &&
        marque != MarqueCorrige::Manquante)
        segments.last().Texte += c;
    else
        segments.append({QString(c), marque});
}

} // namespace

CorrigeReponse Corriger(const AnalyseErreurs& analyse) {
    CorrigeReponse r;
    if (analyse.IndiceModele < 0)
        return r; // no model to compare with: nothing to say
    const QString& tape = analyse.Tape;
    if (tape.isEmpty()) {
        r.Description =
            QStringLiteral("Tu n'as rien écrit. Il fallait écrire %1.").arg(analyse.Modele);
        return r;
    }
    r.Description =
        QStringLiteral("Tu as écrit %1. Il fallait écrire %2.").arg(tape, analyse.Modele);

    const qsizetype n = tape.size();
    std::vector<MarqueCorrige> marques(size_t(n), MarqueCorrige::Aucune);
    std::vector<bool> carets(size_t(n) + 1, false);
    // A far answer gets no detail: every letter marked would only say "all wrong".
    if (!analyse.Loin()) {
        for (const DifferenceReponse& d : analyse.Differences) {
            const qsizetype debut = std::clamp<qsizetype>(d.DebutTape, 0, n);
            if (d.LongueurTape <= 0) {
                carets[size_t(debut)] = true;
                continue;
            }
            const MarqueCorrige m = MarqueDe(d);
            const qsizetype fin = std::min(n, debut + d.LongueurTape);
            for (qsizetype k = debut; k < fin; ++k)
                if (Force(m) > Force(marques[size_t(k)]))
                    marques[size_t(k)] = m;
        }
    }
    for (qsizetype i = 0; i <= n; ++i) {
        if (carets[size_t(i)])
            Ajouter(r.Tape, QChar(CaretManquant), MarqueCorrige::Manquante);
        if (i < n)
            Ajouter(r.Tape, tape.at(i), marques[size_t(i)]);
    }
    return r;
}
