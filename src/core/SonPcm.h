#pragma once
// Samples in memory: what the sound module reads from a file or captures from the microphone,
// and what the studio trims, normalises and has written back.

#include <QVector>

struct SonPcm {
    int Canaux = 1;
    int Frequence = 0;
    QVector<qint16> Echantillons; // interleaved, Canaux values per frame

    qsizetype Trames() const { return Canaux > 0 ? Echantillons.size() / Canaux : 0; }
    double Secondes() const { return Frequence > 0 ? double(Trames()) / Frequence : 0.0; }
};
