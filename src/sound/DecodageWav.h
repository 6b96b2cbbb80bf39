#pragma once
// Whole-file decoding of the program's sounds through libsndfile. Everything is decoded up front
// so that an unreadable item fails when it is opened, with a reason the pupil's teacher can act on.

#include <QByteArray>
#include <QString>
#include <QVector>

#include <memory>

struct SonDecode {
    int Canaux = 0;
    int Frequence = 0;
    QVector<qint16> Echantillons; // interleaved, Canaux values per frame
};

// Every format libsndfile reads (PCM 8/16/24/32, float, IMA/MS ADPCM, GSM 6.10, µ-law, A-law...).
// On failure: false, sortie emptied, and a French sentence naming the file in erreur.
bool DecoderFichierSon(const QString& chemin, SonDecode& sortie, QString& erreur);

// The same, for a player: the decoded sound, shared with the thread that plays it; null, with
// the French sentence in *erreur, when the file cannot be decoded.
std::shared_ptr<const SonDecode> DecoderPourJouer(const QString& chemin, QString* erreur);
// Same from bytes already in memory; the sentence then names no file.
bool DecoderSonMemoire(const QByteArray& donnees, SonDecode& sortie, QString& erreur);
