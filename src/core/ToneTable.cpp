// Ten seconds of the tone at the current pitch and level, starting with its rise.
#include "core/ToneTable.h"

#include <cmath>
#include <numbers>

#include "core/Rounding.h"

namespace kelvaro {

namespace {

// The exam tone: a fixed 830 Hz fundamental with its second and third harmonics.
double ExamWave(int frame) {
    const double phase = 2.0 * std::numbers::pi * frame / kFrameRateHz;
    return 0.214 * std::sin(830.0 * phase) + 0.557 * std::sin(1660.0 * phase) +
           0.228 * std::sin(2490.0 * phase);
}

}  // namespace

void ToneTable::Rebuild(double noteFrequencyHz, double toneGain, bool examTone) {
    const double scale = 32767.0 * toneGain;
    for (int n = 0; n < kToneTableFrames; ++n) {
        const double wave =
            examTone ? ExamWave(n) : std::sin(2.0 * std::numbers::pi * noteFrequencyHz * n / kFrameRateHz);
        Frames[static_cast<std::size_t>(n)] = static_cast<Sample>(RoundToInt(wave * scale));
    }
    for (int j = 0; j < kRampFrames; ++j) {
        Sample& value = Frames[static_cast<std::size_t>(j)];
        value = static_cast<Sample>(RoundToInt(value * (j + 1) / double{kRampFrames}));
    }
}

}  // namespace kelvaro
