// Ten seconds of the tone at the current pitch and level, starting with its rise.
#pragma once

#include <vector>

#include "core/AudioFormat.h"

namespace kelvaro {

inline constexpr int kToneTableFrames = 220500;
/// Length of the rise at the start of every element and of the fall at its end.
inline constexpr int kRampFrames = 50;
inline constexpr double kDefaultToneGain = 0.35;
inline constexpr double kDefaultNoteFrequencyHz = 800.0;

/// One value per frame (left and right are equal). Every element copies the table from its
/// first frame, so its phase starts at zero and its rise is always there.
class ToneTable {
public:
    ToneTable() : Frames(kToneTableFrames, 0) {}

    /// The plain tone R(sin(2 pi f n / 22050) x 32767 x gain), or with examTone the fixed
    /// 830 Hz harmonic-rich tone; then frames 0..49 scaled by (j + 1) / 50.
    void Rebuild(double noteFrequencyHz, double toneGain, bool examTone);

    Sample operator[](int frame) const { return Frames[static_cast<std::size_t>(frame)]; }
    int Size() const { return static_cast<int>(Frames.size()); }

private:
    std::vector<Sample> Frames;
};

}  // namespace kelvaro
