#include "core/exercise/Erreurs.h"

#include "core/Texte.h"

#include <QChar>
#include <algorithm>
#include <array>
#include <vector>

namespace {

struct TexteGenre {
    GenreErreur Genre;
    const char16_t* Libelle;
    const char16_t* Phrase;
};

constexpr TexteGenre TextesGenres[NbGenresErreur] = {
    {GenreErreur::Accent, u"accent", u"Regarde bien les accents."},
    {GenreErreur::Majuscule, u"majuscule", u"Attention à la majuscule."},
    {GenreErreur::LettreManquante, u"lettre manquante", u"Il manque une lettre."},
    {GenreErreur::LettreEnTrop, u"lettre en trop", u"Il y a une lettre en trop."},
    {GenreErreur::LettreFausse, u"lettre fausse", u""},
    {GenreErreur::Inversion, u"inversion", u"Deux lettres sont inversées."},
    {GenreErreur::Espaces, u"espaces", u"Attention aux espaces entre les mots."},
    {GenreErreur::Apostrophe, u"apostrophe", u"N'oublie pas l'apostrophe."},
    {GenreErreur::Loin, u"éloigné", u""},
};

// The hint speaks of the first kind present in this order: where the words start and end first,
// then the letters, then the marks on them. A teacher corrects in that order, and "look at the
// accents" is little help while a letter is still missing. A wrong letter has no sentence of its
// own: any sentence about it would point at the answer.
constexpr GenreErreur PrioriteIndice[] = {
    GenreErreur::Espaces,      GenreErreur::Apostrophe, GenreErreur::LettreManquante,
    GenreErreur::LettreEnTrop, GenreErreur::Inversion,  GenreErreur::Accent,
    GenreErreur::Majuscule,
};

// Alignment costs: a letter differing only by its accent or case is half a mistake, so that
// "ecole" lines up letter for letter with "école" instead of through a gap.
constexpr int CoutProche = 1;
constexpr int CoutPlein = 2;

// One grapheme: a character and the combining marks that follow it.
struct Graphe {
    qsizetype Debut = 0;
    int Longueur = 1;       // UTF-16 units, marks included
    int LongueurLettre = 1; // UTF-16 units of the first character
    char32_t Lettre = 0;    // the first character, A-Z folded as the judge folds
    char32_t Plie = 0;      // lower case, accent kept
    char32_t Base = 0;      // lower case, accent removed
    bool Majuscule = false;
};
using Graphes = std::vector<Graphe>;

char32_t SansAccentLent(char32_t c) {
    char32_t r = c;
    while (QChar::decompositionTag(r) == QChar::Canonical) {
        const QString d = QChar::decomposition(r);
        if (d.isEmpty())
            break;
        r = d.at(0).isHighSurrogate() && d.size() > 1 ? QChar::surrogateToUcs4(d.at(0), d.at(1))
                                                      : char32_t(d.at(0).unicode());
    }
    return QChar::toLower(r);
}

// French letters are all below U+0250: a table spares the decomposition's allocation there.
char32_t SansAccent(char32_t c) {
    static const std::array<char32_t, 0x250> table = [] {
        std::array<char32_t, 0x250> t{};
        for (char32_t i = 0; i < t.size(); ++i)
            t[i] = SansAccentLent(i);
        return t;
    }();
    return c < table.size() ? table[c] : SansAccentLent(c);
}

bool Jointe(char32_t c) {
    return QChar::isMark(c) || c == 0x200D || (c >= 0xFE00 && c <= 0xFE0F);
}

void Decouper(const QString& texte, Graphes& graphes) {
    graphes.clear();
    const qsizetype n = texte.size();
    for (qsizetype i = 0; i < n;) {
        char32_t c = texte.at(i).unicode();
        int l = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < n && texte.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(texte.at(i), texte.at(i + 1));
            l = 2;
        }
        if (!graphes.empty() && Jointe(c)) {
            graphes.back().Longueur += l;
        } else {
            Graphe g;
            g.Debut = i;
            g.Longueur = l;
            g.LongueurLettre = l;
            g.Lettre = c >= 'A' && c <= 'Z' ? c + 32 : c;
            g.Plie = QChar::toLower(c);
            g.Base = SansAccent(c);
            g.Majuscule = QChar::isUpper(c);
            graphes.push_back(g);
        }
        i += l;
    }
}

bool EstEspace(const Graphe& g) {
    return g.Lettre <= 32;
}

bool EstApostrophe(const Graphe& g) {
    switch (g.Lettre) {
    case u'\'':
    case u'`':
    case u'´':
    case u'‘':
    case u'’':
    case u'ʼ':
    case u'-':
    case u'‐':
    case u'‑':
    case u'‒':
    case u'–':
    case u'—':
        return true;
    default:
        return false;
    }
}

bool EstLettre(const Graphe& g) {
    return QChar::isLetter(g.Base);
}

bool EstConsonne(char32_t base) {
    return base >= 'b' && base <= 'z' && base != 'e' && base != 'i' && base != 'o' && base != 'u' &&
           base != 'y';
}

// One side of the comparison: a text and its graphemes.
struct Cote {
    const QString& Texte;
    const Graphes& G;
    qsizetype Taille() const { return qsizetype(G.size()); }
    // Where the grapheme `i` starts, or the text's end.
    qsizetype Position(qsizetype i) const { return i < Taille() ? G[i].Debut : Texte.size(); }
    QStringView Marques(const Graphe& g) const {
        return QStringView(Texte).mid(g.Debut + g.LongueurLettre, g.Longueur - g.LongueurLettre);
    }
};

// Equal for the judge: same characters once A-Z are folded.
bool Egaux(const Cote& a, const Graphe& x, const Cote& b, const Graphe& y) {
    if (x.Lettre != y.Lettre || x.Longueur != y.Longueur)
        return false;
    return x.Longueur == x.LongueurLettre || a.Marques(x) == b.Marques(y);
}

bool AccentDiffere(const Cote& a, const Graphe& x, const Cote& b, const Graphe& y) {
    return x.Plie != y.Plie || a.Marques(x) != b.Marques(y);
}

// Two letters that differ only by their accent or their case.
bool Proches(const Cote& a, const Graphe& x, const Cote& b, const Graphe& y) {
    return x.Base == y.Base && EstLettre(x) &&
           (AccentDiffere(a, x, b, y) || x.Majuscule != y.Majuscule);
}

enum class Mesure {
    Juge,    // one per edit, letters equal as the judge sees them
    Lettres, // one per edit, accents and case set aside
    Alignement,
};

// The dynamic-programming table, kept between calls: answers are short and come by the
// thousand in the teacher's views.
thread_local std::vector<int> Table;

int CoutSubstitution(Mesure mesure, const Cote& t, qsizetype i, const Cote& m, qsizetype j) {
    const Graphe& x = t.G[i];
    const Graphe& y = m.G[j];
    switch (mesure) {
    case Mesure::Juge:
        return Egaux(t, x, m, y) ? 0 : 1;
    case Mesure::Lettres:
        return x.Base == y.Base ? 0 : 1;
    case Mesure::Alignement:
        break;
    }
    if (Egaux(t, x, m, y))
        return 0;
    return Proches(t, x, m, y) ? CoutProche : CoutPlein;
}

// Longer than any item name: a text pasted into the answer, read back from the records, is
// not aligned letter by letter (its table would take gigabytes), only called far.
constexpr qsizetype GraphesMax = 300;

bool TropLong(const Cote& t, const Cote& m) {
    return t.Taille() > GraphesMax || m.Taille() > GraphesMax;
}

// Optimal string alignment distance (Damerau-Levenshtein without editing a swapped pair
// again); the table stays in Table, (n + 1) rows of (m + 1).
int Distance(Mesure mesure, const Cote& t, const Cote& m) {
    const qsizetype n = t.Taille();
    const qsizetype l = m.Taille();
    if (TropLong(t, m)) {
        // Zero when equal, else a bound no shorter text can reach.
        bool egaux = n == l;
        for (qsizetype i = 0; egaux && i < n; ++i)
            egaux = CoutSubstitution(mesure, t, i, m, i) == 0;
        return egaux ? 0 : int(GraphesMax + std::max(n, l));
    }
    const int ecart = mesure == Mesure::Alignement ? CoutPlein : 1;
    Table.resize(size_t((n + 1) * (l + 1)));
    const auto D = [&](qsizetype i, qsizetype j) -> int& { return Table[size_t(i * (l + 1) + j)]; };
    for (qsizetype i = 0; i <= n; ++i)
        D(i, 0) = int(i) * ecart;
    for (qsizetype j = 0; j <= l; ++j)
        D(0, j) = int(j) * ecart;
    for (qsizetype i = 1; i <= n; ++i)
        for (qsizetype j = 1; j <= l; ++j) {
            int d = std::min(D(i - 1, j), D(i, j - 1)) + ecart;
            d = std::min(d, D(i - 1, j - 1) + CoutSubstitution(mesure, t, i - 1, m, j - 1));
            if (i > 1 && j > 1 && CoutSubstitution(mesure, t, i - 1, m, j - 2) == 0 &&
                CoutSubstitution(mesure, t, i - 2, m, j - 1) == 0)
                d = std::min(d, D(i - 2, j - 2) + ecart);
            D(i, j) = d;
        }
    return D(n, l);
}

enum class Operation { Substitution, EnTrop, Manquante, Inversion };

struct Pas {
    Operation Op;
    qsizetype I; // first grapheme of the typed text concerned (or where a missing one goes)
    qsizetype J; // same in the model
};

// Walks the alignment table back. On a tie a gap is taken first, which puts it as late as it
// can go: "tere" for "terre" misses the second "r", the caret after the one typed.
void Tracer(const Cote& t, const Cote& m, std::vector<Pas>& pas) {
    pas.clear();
    const qsizetype l = m.Taille();
    const auto D = [&](qsizetype i, qsizetype j) { return Table[size_t(i * (l + 1) + j)]; };
    qsizetype i = t.Taille();
    qsizetype j = l;
    while (i > 0 || j > 0) {
        const int d = D(i, j);
        if (i > 0 && D(i - 1, j) + CoutPlein == d) {
            --i;
            pas.push_back({Operation::EnTrop, i, j});
        } else if (j > 0 && D(i, j - 1) + CoutPlein == d) {
            --j;
            pas.push_back({Operation::Manquante, i, j});
        } else if (i > 0 && j > 0 &&
                   D(i - 1, j - 1) + CoutSubstitution(Mesure::Alignement, t, i - 1, m, j - 1) ==
                       d) {
            --i;
            --j;
            if (!Egaux(t, t.G[i], m, m.G[j]))
                pas.push_back({Operation::Substitution, i, j});
        } else if (i > 1 && j > 1 && D(i - 2, j - 2) + CoutPlein == d &&
                   CoutSubstitution(Mesure::Alignement, t, i - 1, m, j - 2) == 0 &&
                   CoutSubstitution(Mesure::Alignement, t, i - 2, m, j - 1) == 0) {
            i -= 2;
            j -= 2;
            pas.push_back({Operation::Inversion, i, j});
        } else {
            break; // cannot happen with a table this function filled
        }
    }
    std::reverse(pas.begin(), pas.end());
}

// The letter at the end of its word.
bool EnFinDeMot(const Cote& c, qsizetype i) {
    return i + 1 >= c.Taille() || !EstLettre(c.G[i + 1]);
}

bool MuetteFinale(char32_t base) {
    return base == 's' || base == 'x' || base == 't' || base == 'e' || base == 'd' || base == 'p';
}

// A letter heard [s]: s, ç, and c before e, i or y.
bool SonS(const Cote& c, qsizetype k) {
    const char32_t plie = c.G[k].Plie;
    if (plie == 'c') {
        const char32_t suivante = k + 1 < c.Taille() ? c.G[k + 1].Base : 0;
        return suivante == 'e' || suivante == 'i' || suivante == 'y';
    }
    return plie == 's' || plie == u'ç';
}

// c for ç or the reverse, or an [s] spelt with the wrong one of s, c, ç.
bool ConfusionS(const Cote& t, qsizetype i, const Cote& m, qsizetype j) {
    const char32_t x = t.G[i].Plie;
    const char32_t y = m.G[j].Plie;
    const auto lettreS = [](char32_t c) { return c == 's' || c == 'c' || c == u'ç'; };
    if (x == y || !lettreS(x) || !lettreS(y))
        return false;
    // The model's letter is the sound the pupil heard.
    return (x != 's' && y != 's') || SonS(m, j);
}

// A letter of one text missing from or added to the other: its confusions, seen from its own
// text.
ConfusionsSon ConfusionsEcart(const Cote& c, qsizetype i) {
    ConfusionsSon r;
    const Graphe& g = c.G[i];
    const bool avant = i > 0 && c.G[i - 1].Base == g.Base;
    const bool apres = i + 1 < c.Taille() && c.G[i + 1].Base == g.Base;
    if ((avant || apres) && EstConsonne(g.Base)) {
        r |= ConfusionSon::ConsonneDouble;
        if (g.Base == 's')
            r |= ConfusionSon::SonS;
    }
    if (MuetteFinale(g.Base) && EnFinDeMot(c, i) && i > 0 && EstLettre(c.G[i - 1]))
        r |= ConfusionSon::FinaleMuette;
    return r;
}

ConfusionsSon ConfusionsSubstitution(const Cote& t, qsizetype i, const Cote& m, qsizetype j) {
    ConfusionsSon r;
    const Graphe& x = t.G[i];
    const Graphe& y = m.G[j];
    if (ConfusionS(t, i, m, j))
        r |= ConfusionSon::SonS;
    const auto avantBP = [](const Cote& c, qsizetype k) {
        return k + 1 < c.Taille() && (c.G[k + 1].Base == 'b' || c.G[k + 1].Base == 'p');
    };
    if (x.Base != y.Base && (x.Base == 'm' || x.Base == 'n') && (y.Base == 'm' || y.Base == 'n') &&
        (avantBP(t, i) || avantBP(m, j)))
        r |= ConfusionSon::MAvantBP;
    if (MuetteFinale(x.Base) && MuetteFinale(y.Base) && EnFinDeMot(t, i) && EnFinDeMot(m, j))
        r |= ConfusionSon::FinaleMuette;
    return r;
}

// A letter too many at the start of a word that repeats the sound linking it to the word
// before: "un noiseau", "les zoiseaux". The pupil cut the words in the wrong place.
bool Liaison(const Cote& t, qsizetype i) {
    if (i < 2 || i + 1 >= t.Taille() || !EstEspace(t.G[i - 1]) || !EstLettre(t.G[i + 1]))
        return false;
    const char32_t avant = t.G[i - 2].Base;
    const char32_t lettre = t.G[i].Base;
    return EstLettre(t.G[i - 2]) &&
           (avant == lettre || (lettre == 'z' && (avant == 's' || avant == 'x')) ||
            (lettre == 't' && avant == 'd'));
}

class Analyseur {
public:
    Analyseur(const Cote& tape, const Cote& modele, AnalyseErreurs& analyse)
        : m_t(tape), m_m(modele), m_analyse(analyse) {}

    void Decrire(const std::vector<Pas>& pas) {
        for (const Pas& p : pas) {
            switch (p.Op) {
            case Operation::Substitution:
                Substitution(p.I, p.J);
                break;
            case Operation::EnTrop:
                EnTrop(p.I, p.J);
                break;
            case Operation::Manquante:
                Manquante(p.I, p.J);
                break;
            case Operation::Inversion:
                Inversion(p.I, p.J);
                break;
            }
        }
        // About a third of the letters or more: but one slip in a three-letter word is not far.
        const qsizetype lettres = std::max(m_t.Taille(), m_m.Taille());
        if (m_fautes >= 2 && 3 * m_fautes >= lettres) {
            m_analyse.Differences = {
                {GenreErreur::Loin, {}, 0, m_t.Texte.size(), 0, m_m.Texte.size()}};
        }
    }

private:
    void Ajouter(GenreErreur genre, ConfusionsSon confusions, qsizetype i, qsizetype ni,
                 qsizetype j, qsizetype nj) {
        const qsizetype debutT = m_t.Position(i);
        const qsizetype debutM = m_m.Position(j);
        m_analyse.Differences.append({genre, confusions, debutT, m_t.Position(i + ni) - debutT,
                                      debutM, m_m.Position(j + nj) - debutM});
        if (genre != GenreErreur::Accent && genre != GenreErreur::Majuscule)
            ++m_fautes;
    }

    void Substitution(qsizetype i, qsizetype j) {
        const Graphe& x = m_t.G[i];
        const Graphe& y = m_m.G[j];
        if (Proches(m_t, x, m_m, y)) {
            // Of the sound-alikes, only c/ç is a matter of accent.
            const ConfusionsSon confusions =
                ConfusionS(m_t, i, m_m, j) ? ConfusionSon::SonS : ConfusionSon::Aucune;
            if (AccentDiffere(m_t, x, m_m, y))
                Ajouter(GenreErreur::Accent, confusions, i, 1, j, 1);
            if (x.Majuscule != y.Majuscule)
                Ajouter(GenreErreur::Majuscule, confusions, i, 1, j, 1);
            return;
        }
        const ConfusionsSon confusions = ConfusionsSubstitution(m_t, i, m_m, j);
        GenreErreur genre = GenreErreur::LettreFausse;
        if (EstApostrophe(x) || EstApostrophe(y))
            genre = GenreErreur::Apostrophe;
        else if (EstEspace(x) || EstEspace(y))
            genre = GenreErreur::Espaces;
        Ajouter(genre, confusions, i, 1, j, 1);
    }

    void EnTrop(qsizetype i, qsizetype j) {
        const Graphe& x = m_t.G[i];
        if (EstApostrophe(x))
            Ajouter(GenreErreur::Apostrophe, {}, i, 1, j, 0);
        else if (EstEspace(x) || Liaison(m_t, i))
            Ajouter(GenreErreur::Espaces, {}, i, 1, j, 0);
        else
            Ajouter(GenreErreur::LettreEnTrop, ConfusionsEcart(m_t, i), i, 1, j, 0);
    }

    void Manquante(qsizetype i, qsizetype j) {
        const Graphe& y = m_m.G[j];
        if (EstApostrophe(y))
            Ajouter(GenreErreur::Apostrophe, {}, i, 0, j, 1);
        else if (EstEspace(y))
            Ajouter(GenreErreur::Espaces, {}, i, 0, j, 1);
        else
            Ajouter(GenreErreur::LettreManquante, ConfusionsEcart(m_m, j), i, 0, j, 1);
    }

    void Inversion(qsizetype i, qsizetype j) {
        const auto dans = [](const Cote& c, qsizetype k, bool (*test)(const Graphe&)) {
            return test(c.G[k]) || test(c.G[k + 1]);
        };
        GenreErreur genre = GenreErreur::Inversion;
        if (dans(m_t, i, EstApostrophe))
            genre = GenreErreur::Apostrophe;
        else if (dans(m_t, i, EstEspace))
            genre = GenreErreur::Espaces; // "u noiseau": the space moved by one letter
        Ajouter(genre, {}, i, 2, j, 2);
    }

    const Cote& m_t;
    const Cote& m_m;
    AnalyseErreurs& m_analyse;
    int m_fautes = 0;
};

} // namespace

bool AnalyseErreurs::Contient(GenreErreur genre) const {
    return std::any_of(Differences.cbegin(), Differences.cend(),
                       [genre](const DifferenceReponse& d) { return d.Genre == genre; });
}

AnalyseErreurs AnalyserReponse(const QString& tape, const QStringList& acceptees) {
    AnalyseErreurs r;
    // The forms ReponseJuste compares, case kept: the typed answer trimmed, the accepted ones
    // not (an accepted answer with a blank at an end is never typed right, and says so).
    r.Tape = Rogner(TexteSaisi(tape));
    if (acceptees.isEmpty())
        return r;
    thread_local Graphes gt, gm, meilleur;
    thread_local std::vector<Pas> pas;
    Decouper(r.Tape, gt);
    const Cote t{r.Tape, gt};

    QString modele;
    int plusPres = -1;
    int lettresPlusPres = 0;
    for (int k = 0; k < acceptees.size(); ++k) {
        QString candidat = TexteSaisi(acceptees.at(k));
        Decouper(candidat, gm);
        const Cote m{candidat, gm};
        const int d = Distance(Mesure::Juge, t, m);
        if (r.IndiceModele >= 0 && d > plusPres)
            continue;
        // Measured only where a tie may need it.
        const int lettres = acceptees.size() > 1 ? Distance(Mesure::Lettres, t, m) : 0;
        if (r.IndiceModele >= 0 && d == plusPres && lettres >= lettresPlusPres)
            continue;
        r.IndiceModele = k;
        plusPres = d;
        lettresPlusPres = lettres;
        modele = std::move(candidat);
        std::swap(meilleur, gm);
    }
    r.Modele = modele;
    if (plusPres == 0)
        return r;
    const Cote m{r.Modele, meilleur};
    if (TropLong(t, m)) {
        r.Differences = {{GenreErreur::Loin, {}, 0, r.Tape.size(), 0, r.Modele.size()}};
        return r;
    }
    Distance(Mesure::Alignement, t, m);
    Tracer(t, m, pas);
    Analyseur(t, m, r).Decrire(pas);
    return r;
}

std::optional<GenreErreur> GenreIndice(const AnalyseErreurs& analyse) {
    if (analyse.Loin())
        return std::nullopt;
    for (const GenreErreur g : PrioriteIndice)
        if (analyse.Contient(g))
            return g;
    return std::nullopt;
}

QString PhraseIndice(const AnalyseErreurs& analyse) {
    const std::optional<GenreErreur> genre = GenreIndice(analyse);
    return genre ? QString::fromUtf16(TextesGenres[int(*genre)].Phrase) : QString();
}

QString LibelleGenre(GenreErreur genre) {
    return QString::fromUtf16(TextesGenres[int(genre)].Libelle);
}
