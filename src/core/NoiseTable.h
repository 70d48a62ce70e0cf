// Band-limited receiver noise: the table added to tone elements, and fresh noise for silences.
#pragma once

#include <cstdint>
#include <vector>

#include "core/AudioFormat.h"
#include "core/RandomGenerator.h"

namespace kelvaro {

inline constexpr int kNoiseTableFrames = 30000;
/// How much of the table plays on after a character when noise is on (about 0.68 s).
inline constexpr int kNoiseTailFrames = 15000;
inline constexpr int kDefaultNoiseRange = 32768;
inline constexpr int kDefaultNoiseBandwidth = 8;

/// Sample and hold: with bandwidth divisor b (1, 2, 4 or 8) a new value comes every b frames.
/// k is the frame's position; true when it repeats the previous frame's value.
bool NoiseHoldsPrevious(int frame, int bandwidthDivisor);

/// Noise range 0..65536 (peak to peak); each value is RandomInt(range) - R(range / 2).
class NoiseTable {
public:
    NoiseTable() : Frames(kNoiseTableFrames, 0) {}

    /// Draws one random number per frame, repeated or not, so the generator advances by
    /// 30000 whatever the settings.
    void Rebuild(int noiseRange, int bandwidthDivisor, RandomGenerator& random);

    Sample operator[](int frame) const { return Frames[static_cast<std::size_t>(frame)]; }
    const std::vector<Sample>& Values() const { return Frames; }

private:
    std::vector<Sample> Frames;
};

/// Fresh noise for the silences of a character, drawn frame by frame with the same hold rule.
class SilenceNoise {
public:
    SilenceNoise(int noiseRange, int bandwidthDivisor, RandomGenerator& random)
        : Range(noiseRange), Bandwidth(bandwidthDivisor), Random(random) {}

    /// The noise value for the frame at position frame of the character buffer; forceFresh
    /// makes it a new value whatever the hold rule says (the first frame of an element gap).
    Sample Next(int frame, bool forceFresh);

private:
    int Range;
    int Bandwidth;
    RandomGenerator& Random;
    Sample Previous = 0;
};

/// RandomInt(range) - R(range / 2): the value of one noise frame.
Sample DrawNoiseValue(int noiseRange, RandomGenerator& random);

}  // namespace kelvaro
