#pragma once
// Writing 16-bit PCM WAV files through libsndfile, and the sound-file service of the module.

#include "core/Services.h"

#include <QByteArray>
#include <QString>

// The WAV file's bytes, or empty with a French reason.
QByteArray EncoderWav(const SonPcm& son, QString& erreur);
// Through a temporary file beside it: a failure leaves any previous file whole.
bool EcrireFichierWav(const QString& chemin, const SonPcm& son, QString& erreur);

class FichiersSonSndfile : public IFichiersSon {
public:
    bool Lire(const QString& chemin, SonPcm& son, QString* erreur) override;
    bool EcrireWav(const QString& chemin, const SonPcm& son, QString* erreur) override;
};
