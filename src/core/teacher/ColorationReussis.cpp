#include "core/teacher/ColorationReussis.h"

#include <QHash>

#include <algorithm>

#include <vector>

bool LigneMaitrisee(const QString& ligne, std::optional<int> reponsesNecessaires) {
    if (!reponsesNecessaires)
        return false;
    const QString fin = QLatin1Char('|') + QString::number(*reponsesNecessaires);
    return fin.size() == 2 && ligne.endsWith(fin);
}

namespace {

// A trie of the distinct line texts, built from the texts in sorted order so that every node
// is created right after its parent and a child is found by walking a short sorted list of
// siblings. The root, which every failure ends at, has a table over all UTF-16 units.
struct Trie {
    std::vector<int> PremierEnfant, FrereSuivant, DernierEnfant, Parent, Profondeur;
    std::vector<char16_t> Lettre;
    std::vector<int> Echec, Motif, Sortie;
    std::vector<int> Racine = std::vector<int>(0x10000, -1);

    explicit Trie(qsizetype noeudsMax) {
        for (auto* v : {&PremierEnfant, &FrereSuivant, &DernierEnfant, &Parent, &Profondeur, &Echec,
                        &Motif, &Sortie})
            v->reserve(size_t(noeudsMax));
        Lettre.reserve(size_t(noeudsMax));
        Nouveau(-1, 0);
    }

    int Nouveau(int parent, char16_t c) {
        const int n = int(Lettre.size());
        PremierEnfant.push_back(-1);
        FrereSuivant.push_back(-1);
        DernierEnfant.push_back(-1);
        Parent.push_back(parent);
        Profondeur.push_back(parent < 0 ? 0 : Profondeur[size_t(parent)] + 1);
        Lettre.push_back(c);
        Echec.push_back(0);
        Motif.push_back(-1);
        Sortie.push_back(-1);
        if (parent == 0) {
            Racine[c] = n;
        } else if (parent > 0) {
            if (DernierEnfant[size_t(parent)] < 0)
                PremierEnfant[size_t(parent)] = n;
            else
                FrereSuivant[size_t(DernierEnfant[size_t(parent)])] = n;
        }
        if (parent >= 0)
            DernierEnfant[size_t(parent)] = n;
        return n;
    }

    // The child of n for c, -1 when there is none. Siblings come in increasing order.
    int Enfant(int n, char16_t c) const {
        if (n == 0)
            return Racine[c];
        for (int e = PremierEnfant[size_t(n)]; e >= 0; e = FrereSuivant[size_t(e)]) {
            if (Lettre[size_t(e)] == c)
                return e;
            if (Lettre[size_t(e)] > c)
                break;
        }
        return -1;
    }
};

} // namespace

// Aho-Corasick over the distinct line texts. Each line of the text is itself one of those
// texts, so reading it just walks down its own branch of the trie, and what ends at each of
// its characters is read off the output links; a line already read reveals nothing new. A text
// found once stays found; and when a text was already found, every shorter text ending at the
// same place was found with it, so the walk down the output chain stops there: each text is
// reported once, and the whole costs the length of the text.
QVector<qsizetype> PremieresOccurrences(const QStringList& lignes) {
    QHash<QString, int> motifs;
    QVector<int> motifDeLigne(lignes.size(), -1);
    std::vector<qsizetype> premiereLigne; // the first line holding each distinct text
    qsizetype longueurTotale = 0;
    for (qsizetype k = 0; k < lignes.size(); ++k) {
        const QString& l = lignes.at(k);
        if (l.isEmpty())
            continue;
        auto it = motifs.constFind(l);
        if (it == motifs.constEnd()) {
            it = motifs.insert(l, int(motifs.size()));
            premiereLigne.push_back(k);
            longueurTotale += l.size();
        }
        motifDeLigne[k] = it.value();
    }

    QVector<qsizetype> resultat(lignes.size(), -1);
    if (motifs.isEmpty())
        return resultat;

    std::vector<int> tries(premiereLigne.size());
    for (size_t m = 0; m < tries.size(); ++m)
        tries[m] = int(m);
    std::sort(tries.begin(), tries.end(), [&](int a, int b) {
        return lignes.at(premiereLigne[size_t(a)]) < lignes.at(premiereLigne[size_t(b)]);
    });

    Trie trie(longueurTotale + 1);
    std::vector<int> terminal(premiereLigne.size(), 0);
    {
        std::vector<int> chemin{0}; // the nodes of the previous text, root first
        const QString* precedent = nullptr;
        for (const int m : tries) {
            const QString& texte = lignes.at(premiereLigne[size_t(m)]);
            qsizetype commun = 0;
            if (precedent)
                while (commun < texte.size() && commun < precedent->size() &&
                       texte.at(commun) == precedent->at(commun))
                    ++commun;
            chemin.resize(size_t(commun) + 1);
            for (qsizetype i = commun; i < texte.size(); ++i)
                chemin.push_back(trie.Nouveau(chemin.back(), texte.at(i).unicode()));
            terminal[size_t(m)] = chemin.back();
            trie.Motif[size_t(chemin.back())] = m;
            precedent = &texte;
        }
    }

    // Failure and output links, shallowest nodes first (a counting sort on the depth).
    const size_t nbNoeuds = trie.Lettre.size();
    const int profondeurMax = *std::max_element(trie.Profondeur.begin(), trie.Profondeur.end());
    std::vector<int> debutNiveau(size_t(profondeurMax) + 2, 0);
    for (size_t i = 1; i < nbNoeuds; ++i)
        ++debutNiveau[size_t(trie.Profondeur[i]) + 1];
    for (size_t d = 1; d < debutNiveau.size(); ++d)
        debutNiveau[d] += debutNiveau[d - 1];
    std::vector<int> ordre(nbNoeuds);
    for (size_t i = 1; i < nbNoeuds; ++i)
        ordre[size_t(debutNiveau[size_t(trie.Profondeur[i])]++)] = int(i);
    for (size_t k = 0; k + 1 < nbNoeuds; ++k) {
        const int s = ordre[k];
        const int p = trie.Parent[size_t(s)];
        const char16_t c = trie.Lettre[size_t(s)];
        int e = 0;
        if (p != 0) {
            for (int f = trie.Echec[size_t(p)];; f = trie.Echec[size_t(f)]) {
                const int t = trie.Enfant(f, c);
                if (t >= 0) {
                    e = t;
                    break;
                }
                if (f == 0)
                    break;
            }
        }
        trie.Echec[size_t(s)] = e;
        trie.Sortie[size_t(s)] = trie.Motif[size_t(e)] >= 0 ? e : trie.Sortie[size_t(e)];
    }

    std::vector<qsizetype> premiere(premiereLigne.size(), -1);
    qsizetype restants = qsizetype(premiereLigne.size());
    std::vector<qsizetype> debutDeLigne(size_t(lignes.size()), 0);
    for (qsizetype k = 1; k < lignes.size(); ++k)
        debutDeLigne[size_t(k)] = debutDeLigne[size_t(k - 1)] + lignes.at(k - 1).size() + 1;
    std::vector<int> branche;
    for (size_t m = 0; m < premiereLigne.size() && restants > 0; ++m) {
        // Lines in text order: the distinct texts were numbered as they first appeared.
        branche.clear();
        for (int n = terminal[m]; n > 0; n = trie.Parent[size_t(n)])
            branche.push_back(n);
        const qsizetype debut = debutDeLigne[size_t(premiereLigne[m])];
        for (size_t i = branche.size(); i-- > 0;) {
            const int etat = branche[i];
            const qsizetype fin = debut + qsizetype(branche.size() - i); // one past the character
            for (int n = trie.Motif[size_t(etat)] >= 0 ? etat : trie.Sortie[size_t(etat)]; n > 0;
                 n = trie.Sortie[size_t(n)]) {
                const int motif = trie.Motif[size_t(n)];
                if (premiere[size_t(motif)] >= 0)
                    break;
                premiere[size_t(motif)] = fin - trie.Profondeur[size_t(n)];
                --restants;
            }
        }
    }

    for (qsizetype k = 0; k < lignes.size(); ++k)
        if (motifDeLigne[k] >= 0)
            resultat[k] = premiere[size_t(motifDeLigne[k])];
    return resultat;
}

QVector<PlageRouge> PlagesRouges(const QStringList& lignes,
                                 std::optional<int> reponsesNecessaires) {
    QVector<PlageRouge> rouges;
    // With 10 and above, or no limit, no line can be red: nothing to work out.
    if (!reponsesNecessaires || QString::number(*reponsesNecessaires).size() != 1)
        return rouges;
    bool uneRouge = false;
    for (const QString& l : lignes)
        uneRouge = uneRouge || LigneMaitrisee(l, reponsesNecessaires);
    if (!uneRouge)
        return rouges;

    const QVector<qsizetype> occurrences = PremieresOccurrences(lignes);
    qsizetype total = 0;
    for (const QString& l : lignes)
        total += l.size() + 1;
    // Each line paints as many characters as it holds, so the painting costs the text's length.
    std::vector<char> rouge(size_t(total), 0);
    for (qsizetype k = 0; k < lignes.size(); ++k) {
        if (occurrences[k] < 0)
            continue;
        const char v = LigneMaitrisee(lignes.at(k), reponsesNecessaires) ? 1 : 0;
        std::fill_n(rouge.begin() + occurrences[k], lignes.at(k).size(), v);
    }
    for (qsizetype i = 0; i < total;) {
        if (!rouge[size_t(i)]) {
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < total && rouge[size_t(j)])
            ++j;
        rouges.append({i, j - i});
        i = j;
    }
    return rouges;
}
