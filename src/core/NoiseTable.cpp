// Band-limited receiver noise: the table added to tone elements, and fresh noise for silences.
#include "core/NoiseTable.h"

#include "core/Rounding.h"

namespace kelvaro {

bool NoiseHoldsPrevious(int frame, int bandwidthDivisor) {
    return (frame % 2 == 1 && bandwidthDivisor > 1) || (frame % 4 == 2 && bandwidthDivisor > 2) ||
           (frame % 8 == 4 && bandwidthDivisor > 4);
}

Sample DrawNoiseValue(int noiseRange, RandomGenerator& random) {
    const auto drawn = static_cast<std::int64_t>(random.RandomInt(static_cast<std::uint32_t>(noiseRange)));
    return static_cast<Sample>(drawn - RoundRatio(noiseRange, 2));
}

void NoiseTable::Rebuild(int noiseRange, int bandwidthDivisor, RandomGenerator& random) {
    for (int k = 0; k < kNoiseTableFrames; ++k) {
        const Sample value = DrawNoiseValue(noiseRange, random);
        const bool holds = k > 0 && NoiseHoldsPrevious(k, bandwidthDivisor);
        Frames[static_cast<std::size_t>(k)] = holds ? Frames[static_cast<std::size_t>(k) - 1] : value;
    }
}

Sample SilenceNoise::Next(int frame, bool forceFresh) {
    const Sample value = DrawNoiseValue(Range, Random);
    if (forceFresh || !NoiseHoldsPrevious(frame, Bandwidth)) {
        Previous = value;
    }
    return Previous;
}

}  // namespace kelvaro
