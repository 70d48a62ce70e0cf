// QSB: the signal fades linearly in dB, character by character, down to the set depth and back.
#include "core/QsbFading.h"

#include <cmath>
#include <cstdint>

#include "core/Rounding.h"

namespace kelvaro {

namespace {

int HalfCycle(int speedWpm) {
    return static_cast<int>(RoundRatio(std::int64_t{speedWpm} * 5, 12));
}

}  // namespace

double QsbFading::AttenuationDb(int speedWpm) const {
    const double f = speedWpm * 5.0 / 12.0;
    if (Counter > HalfCycle(speedWpm)) {
        return (2.0 * f - Counter) * DepthDb / f;
    }
    return Counter * DepthDb / f;
}

double QsbFading::NextCharacterFactor(int speedWpm) {
    const double factor = std::pow(10.0, -AttenuationDb(speedWpm) / 20.0);
    const int cycle = 2 * HalfCycle(speedWpm);
    ++Counter;
    if (Counter >= cycle) {
        Counter -= cycle;
    }
    return factor;
}

void QsbFading::StartAtRandom(int speedWpm, RandomGenerator& random) {
    const auto span = RoundRatio(std::int64_t{speedWpm} * 10, 12);
    Counter = static_cast<int>(random.RandomInt(static_cast<std::uint32_t>(span)));
}

}  // namespace kelvaro
