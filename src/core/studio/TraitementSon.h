#pragma once
// What the studio does to every sound before it becomes an item: one channel at 22,050 Hz,
// the silence before and after the words cut away, the loudest peak brought to the same level
// for every item. All of it on samples in memory, so it is tested on generated signals.

#include "core/SonPcm.h"

// The items' format: 16-bit mono PCM at this rate.
inline constexpr int FrequenceItems = 22050;

// The channels averaged into one.
SonPcm EnMono(const SonPcm& son);
// Mono samples from one rate to another through a windowed-sinc filter, which also removes
// what the new rate cannot carry (no aliasing when going down).
QVector<qint16> Reechantillonner(const QVector<qint16>& mono, int de, int vers);

// The frames [Debut, Fin) that hold the words: from the first to the last 10 ms window louder
// than a tenth of the loudest one (and than a floor for a silent room), with a little margin
// kept before and after. Debut == Fin when the sound is silence.
struct BornesSon {
    qsizetype Debut = 0;
    qsizetype Fin = 0;
};
BornesSon TrouverParole(const QVector<qint16>& mono, int frequence);
// The peak brought to -1 dBFS (29,204): every item is as loud as the others.
inline constexpr int CreteCible = 29204;
void Normaliser(QVector<qint16>& mono);

// The whole preparation: mono, 22,050 Hz, offset removed, silence trimmed (with 5 ms fades so
// the cut does not click), normalised. An empty result (Echantillons empty) means the sound held
// nothing but silence.
SonPcm PreparerSon(const SonPcm& brut);
