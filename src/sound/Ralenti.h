#pragma once
// "J'écoute lentement": an item's samples stretched to a slower pace with their pitch unchanged
// (SoundTouch), so that a pupil hears each syllable longer in the same voice. Both players
// stretch on their own audio thread, never on the window's.

#include "sound/DecodageWav.h"

#include <memory>

// The slowest pace asked for: slower, speech breaks into echoes rather than getting clearer.
inline constexpr double VitesseRalentiMin = 0.5;

// The sound at `vitesse` times its pace (clamped to VitesseRalentiMin..1), its pitch kept; the
// sound itself at 1, or when this build has no SoundTouch, or when stretching fails.
std::shared_ptr<const SonDecode> Ralentir(const std::shared_ptr<const SonDecode>& son,
                                          double vitesse);

// The last stretched sound of a player: the same item heard slowly again is not stretched again.
// Used from one thread only (the player's audio thread).
class MemoireRalenti {
public:
    std::shared_ptr<const SonDecode> Pour(const std::shared_ptr<const SonDecode>& son,
                                          double vitesse);

private:
    std::shared_ptr<const SonDecode> m_source;
    double m_vitesse = 1;
    std::shared_ptr<const SonDecode> m_ralenti;
};
