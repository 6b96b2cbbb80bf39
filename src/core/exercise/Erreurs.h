#pragma once
// What a wrong answer got wrong, in the words a primary teacher uses: an accent, a capital, a
// letter missing, too many, wrong or swapped, the spaces between the words, an apostrophe or a
// hyphen. It only describes: whether an answer is right stays ReponseJuste's business, and an
// answer it accepts has no difference here.

#include <QFlags>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

enum class GenreErreur : quint8 {
    Accent,
    Majuscule,
    LettreManquante,
    LettreEnTrop,
    LettreFausse,
    Inversion,
    Espaces,
    Apostrophe, // an apostrophe or a hyphen missing, too many or replaced
    Loin,       // too much differs for any detail to help
};
inline constexpr int NbGenresErreur = 9;

// The sound-alike confusions behind a letter wrong, missing or too many (or an accent, for c/ç).
enum class ConfusionSon : quint8 {
    Aucune = 0,
    SonS = 1,           // s, ss, c, ç
    MAvantBP = 2,       // n where m stands before b or p, or the reverse
    ConsonneDouble = 4, // a consonant doubled where it is single, or single where doubled
    FinaleMuette = 8,   // a silent last letter of a word: s, x, t, e, d or p
};
Q_DECLARE_FLAGS(ConfusionsSon, ConfusionSon)
Q_DECLARE_OPERATORS_FOR_FLAGS(ConfusionsSon)

// One difference. Positions are QString indices into AnalyseErreurs::Tape and ::Modele (a
// letter and its accent are one character there, being composed; a grapheme the composition
// cannot join spans several). A letter too many has its range in the typed text and an empty
// one in the model, where it would stand; a missing letter has an empty range in the typed text,
// where a caret goes, and its range in the model. A substitution or a swap has both.
struct DifferenceReponse {
    GenreErreur Genre = GenreErreur::LettreFausse;
    ConfusionsSon Confusions;
    qsizetype DebutTape = 0;
    qsizetype LongueurTape = 0;
    qsizetype DebutModele = 0;
    qsizetype LongueurModele = 0;
};

struct AnalyseErreurs {
    // The typed answer as it was compared: composed, blanks at the ends removed, case kept.
    QString Tape;
    // The accepted spelling it was compared with, composed; IndiceModele is its index in the
    // accepted list (-1 when the list was empty).
    QString Modele;
    int IndiceModele = -1;
    // In the order of the text. One letter can carry two entries (Accent and Majuscule for
    // "e" written for "É"). A far answer has a single Loin entry spanning both texts.
    QList<DifferenceReponse> Differences;

    bool Contient(GenreErreur genre) const;
    bool Loin() const { return Contient(GenreErreur::Loin); }
};

// Compares the typed answer with the nearest of the accepted spellings: the one at the smallest
// edit distance by the judging rule, on a tie the one nearest once accents and case are set
// aside, then the first.
AnalyseErreurs AnalyserReponse(const QString& tape, const QStringList& acceptees);

// The kind a hint speaks of; none for a right or a far answer, or one with only wrong letters.
std::optional<GenreErreur> GenreIndice(const AnalyseErreurs& analyse);
// The hint sentence for that kind; empty when there is none.
QString PhraseIndice(const AnalyseErreurs& analyse);
// The kind's short French name, for the teacher's screens and exports.
QString LibelleGenre(GenreErreur genre);
