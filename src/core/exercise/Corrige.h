#pragma once
// What "J'observe" shows above the model answer after a wrong answer: the pupil's own answer with
// the letters that differ marked, and the same said in words for a screen reader. A mark is
// never a colour alone: each kind has its own shape (underline, strike-through, a caret), so a
// pupil who does not tell red from green sees it as well.

#include "core/exercise/Erreurs.h"

#include <QList>
#include <QString>

enum class MarqueCorrige : quint8 {
    Aucune,
    LettreFausse, // written instead of another (or two letters swapped): underlined
    LettreEnTrop, // struck through
    Manquante,    // the caret standing where something is missing
    Accent,       // the right letter, its accent or its capital wrong: underlined
};

struct SegmentCorrige {
    QString Texte;
    MarqueCorrige Marque = MarqueCorrige::Aucune;
    bool operator==(const SegmentCorrige&) const = default;
};

// The caret put where a letter, a space or an apostrophe is missing.
inline constexpr char16_t CaretManquant = u'\u2038';

struct CorrigeReponse {
    // The pupil's answer in order, carets included; empty when there is nothing to show beside
    // the model (nothing typed, or no model). A far answer is one unmarked segment.
    QList<SegmentCorrige> Tape;
    // In words: what was written, what was to be written.
    QString Description;
};

// The corrigé of an analysed answer.
CorrigeReponse Corriger(const AnalyseErreurs& analyse);
