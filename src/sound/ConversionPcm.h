#pragma once
// The sample arithmetic of the Windows sound module, kept free of any system call so that the
// same table of cases runs on every system: 16-bit samples brought to another layout when the
// output refuses the file's own, and the microphone's frames folded to one channel.

#include "sound/DecodageWav.h"

#include <QVector>

#include <algorithm>
#include <cmath>
#include <cstdlib>

// 16-bit samples with `canaux` channels at `frequence` Hz: mono spreads to every channel,
// several fold to mono by their mean, otherwise channel for channel with silence in the extra
// ones; the rate is changed by linear interpolation, the duration kept.
inline QVector<qint16> ConvertirPcm16(const SonDecode& son, int canaux, int frequence) {
    if (son.Canaux < 1 || son.Frequence < 1 || canaux < 1 || frequence < 1)
        return {};
    const qsizetype tramesSource = son.Echantillons.size() / son.Canaux;
    if (tramesSource == 0)
        return {};
    const auto source = [&son, canaux](qsizetype trame, int canal) -> double {
        const qint16* t = son.Echantillons.constData() + trame * son.Canaux;
        if (son.Canaux == 1)
            return t[0];
        if (canaux == 1) {
            double somme = 0;
            for (int c = 0; c < son.Canaux; ++c)
                somme += t[c];
            return somme / son.Canaux;
        }
        return canal < son.Canaux ? t[canal] : 0.0;
    };
    const double pas = static_cast<double>(son.Frequence) / frequence;
    const auto tramesCible = static_cast<qsizetype>(
        std::llround(static_cast<double>(tramesSource) * frequence / son.Frequence));
    QVector<qint16> sortie(tramesCible * canaux);
    qint16* ecriture = sortie.data();
    for (qsizetype i = 0; i < tramesCible; ++i) {
        const double position = static_cast<double>(i) * pas;
        const auto avant = std::min(static_cast<qsizetype>(position), tramesSource - 1);
        const qsizetype apres = std::min(avant + 1, tramesSource - 1);
        const double fraction = position - static_cast<double>(avant);
        for (int c = 0; c < canaux; ++c) {
            const double a = source(avant, c);
            const double v = a + (source(apres, c) - a) * fraction;
            *ecriture++ = static_cast<qint16>(std::clamp(std::lrint(v), -32768L, 32767L));
        }
    }
    return sortie;
}

// Appends `trames` frames of `canaux` interleaved 16-bit samples to `sortie` as one channel
// (the mean of the frame's channels) and returns the loudest of the appended values, from 0 to
// 32768: the level meter's peak.
inline int AjouterEnMono(const qint16* echantillons, qsizetype trames, int canaux,
                         QVector<qint16>& sortie) {
    if (canaux < 1 || trames <= 0)
        return 0;
    const qsizetype debut = sortie.size();
    sortie.resize(debut + trames);
    int crete = 0;
    for (qsizetype i = 0; i < trames; ++i) {
        int somme = 0;
        for (int c = 0; c < canaux; ++c)
            somme += echantillons[i * canaux + c];
        // The mean of 16-bit values stays within 16 bits; rounded toward zero.
        const auto v = static_cast<qint16>(somme / canaux);
        sortie[debut + i] = v;
        crete = std::max(crete, std::abs(int(v)));
    }
    return crete;
}
