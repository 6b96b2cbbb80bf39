#pragma once
// Which stretches of the "Items réussis" view end up red. The view marks an item once its run of
// first-attempt successes reaches the number of answers needed: for each line in turn, the
// first place where that line's text occurs in the whole view (case kept, possibly inside an
// earlier line) is painted red or black. Later lines paint over earlier ones.

#include <QStringList>
#include <QVector>

#include <optional>

// A stretch of the view, in document positions: the lines joined by one separator character.
struct PlageRouge {
    qsizetype Debut = 0;
    qsizetype Longueur = 0;
    bool operator==(const PlageRouge&) const = default;
};

// True when the last two characters of the line are "|" and the number of answers needed.
// Only 0 to 9 can ever match; no limit (empty) marks nothing.
bool LigneMaitrisee(const QString& ligne, std::optional<int> reponsesNecessaires);

// For each line, where the first occurrence of its own text starts in the joined text;
// -1 for an empty line, which paints nothing. Linear in the length of the text.
QVector<qsizetype> PremieresOccurrences(const QStringList& lignes);

// The red stretches once every line has painted its first occurrence, in order, merged and
// sorted. Everything else is black.
QVector<PlageRouge> PlagesRouges(const QStringList& lignes, std::optional<int> reponsesNecessaires);
