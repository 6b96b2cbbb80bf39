#include "sound/Ralenti.h"

#include <algorithm>
#include <cmath>
#include <vector>

#ifdef PLUMELUNE_ECOUTE_LENTE
#include <soundtouch/SoundTouch.h>

#include <exception>
#include <type_traits>

namespace {

constexpr int TrancheTrames = 4096;

// SoundTouch is built for float samples (Debian's) or for 16-bit ones.
using Echantillon = soundtouch::SAMPLETYPE;

Echantillon VersSoundTouch(qint16 v) {
    if constexpr (std::is_floating_point_v<Echantillon>)
        return Echantillon(float(v) / 32768.0f);
    else
        return Echantillon(v);
}

qint16 DepuisSoundTouch(Echantillon v) {
    if constexpr (std::is_floating_point_v<Echantillon>)
        return qint16(std::lrint(std::clamp(v * 32768.0f, -32768.0f, 32767.0f)));
    else
        return qint16(v);
}

std::shared_ptr<const SonDecode> Etirer(const SonDecode& son, double vitesse) {
    if (son.Canaux < 1 || son.Frequence < 1 || son.Echantillons.size() < son.Canaux)
        return nullptr;
    soundtouch::SoundTouch etirement;
    etirement.setChannels(uint(son.Canaux));
    etirement.setSampleRate(uint(son.Frequence));
    etirement.setTempo(vitesse);
    // Tuned for speech, as SoundTouch's own documentation advises: shorter sequences keep the
    // consonants of a word from doubling.
    etirement.setSetting(SETTING_SEQUENCE_MS, 40);
    etirement.setSetting(SETTING_SEEKWINDOW_MS, 15);
    etirement.setSetting(SETTING_OVERLAP_MS, 8);

    const qsizetype trames = son.Echantillons.size() / son.Canaux;
    auto sortie = std::make_shared<SonDecode>();
    sortie->Canaux = son.Canaux;
    sortie->Frequence = son.Frequence;
    sortie->Echantillons.reserve(qsizetype(double(trames) / vitesse * 1.05 + TrancheTrames) *
                                 son.Canaux);
    std::vector<Echantillon> tampon(size_t(TrancheTrames) * size_t(son.Canaux));
    const auto recevoir = [&] {
        for (;;) {
            const uint recues = etirement.receiveSamples(tampon.data(), uint(TrancheTrames));
            if (recues == 0)
                return;
            for (size_t i = 0; i < size_t(recues) * size_t(son.Canaux); ++i)
                sortie->Echantillons.append(DepuisSoundTouch(tampon[i]));
        }
    };
    const qint16* source = son.Echantillons.constData();
    for (qsizetype debut = 0; debut < trames; debut += TrancheTrames) {
        const qsizetype n = std::min<qsizetype>(TrancheTrames, trames - debut);
        for (qsizetype i = 0; i < n * son.Canaux; ++i)
            tampon[size_t(i)] = VersSoundTouch(source[debut * son.Canaux + i]);
        etirement.putSamples(tampon.data(), uint(n));
        recevoir();
    }
    etirement.flush();
    recevoir();
    if (sortie->Echantillons.isEmpty())
        return nullptr;
    return sortie;
}

} // namespace

std::shared_ptr<const SonDecode> Ralentir(const std::shared_ptr<const SonDecode>& son,
                                          double vitesse) {
    if (!son || !(vitesse < 1))
        return son;
    try {
        if (auto ralenti = Etirer(*son, std::max(vitesse, VitesseRalentiMin)))
            return ralenti;
    } catch (const std::exception&) {
        // SoundTouch refuses a layout it does not handle: the pupil hears the item all the same.
    }
    return son;
}

#else

std::shared_ptr<const SonDecode> Ralentir(const std::shared_ptr<const SonDecode>& son, double) {
    return son;
}

#endif

std::shared_ptr<const SonDecode> MemoireRalenti::Pour(const std::shared_ptr<const SonDecode>& son,
                                                      double vitesse) {
    if (!son || !(vitesse < 1))
        return son;
    if (son != m_source || vitesse != m_vitesse) {
        m_ralenti = Ralentir(son, vitesse);
        m_source = son;
        m_vitesse = vitesse;
    }
    return m_ralenti;
}
