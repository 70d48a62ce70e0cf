// Element and gap lengths, in frames, for the set speed and weight.
#include "core/ElementTiming.h"

#include <cassert>

#include "core/Rounding.h"

namespace kelvaro {

// A dash lasts 30000 / (wpm / 2.5) = 75000 / wpm frames. Every length is computed as an exact
// ratio of integers so that halves round to even the same way on every machine.
ElementTiming ElementTiming::For(int speedWpm, int weightRatio, bool paddleHeld) {
    assert(speedWpm > 0 && weightRatio > 0);
    ElementTiming timing;
    timing.DashFrames = static_cast<int>(RoundRatio(75000, speedWpm));
    timing.DotFrames = static_cast<int>(RoundRatio(75000, std::int64_t{speedWpm} * weightRatio));
    timing.UnitGapFrames = static_cast<int>(RoundRatio(75000, 3 * std::int64_t{speedWpm}));
    // While a paddle is held the elements follow each other faster: 75000 / wpm / (wpm/4 + 2.75).
    timing.ElementGapFrames =
        paddleHeld ? static_cast<int>(RoundRatio(300000, std::int64_t{speedWpm} * (speedWpm + 11)))
                   : timing.UnitGapFrames;
    return timing;
}

}  // namespace kelvaro
