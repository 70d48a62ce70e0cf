// QSB: the signal fades linearly in dB, character by character, down to the set depth and back.
#pragma once

#include "core/RandomGenerator.h"

namespace kelvaro {

inline constexpr int kDefaultQsbDepthDb = 10;

/// One cycle lasts 2F characters where F = R(wpm x 5 / 12) (10 characters at 12 wpm).
class QsbFading {
public:
    int DepthDb = kDefaultQsbDepthDb;  // 0..20
    int Counter = 0;

    /// Attenuation for the current counter: rises over F characters, falls over the next F.
    double AttenuationDb(int speedWpm) const;
    /// The factor for the next non-blank character, then the counter moves on.
    double NextCharacterFactor(int speedWpm);
    /// Starts a playback at a random point of the cycle: 0 .. R(wpm x 10 / 12) - 1.
    void StartAtRandom(int speedWpm, RandomGenerator& random);
};

}  // namespace kelvaro
