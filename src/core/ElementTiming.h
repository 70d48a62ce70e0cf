// Element and gap lengths, in frames, for the set speed and weight.
#pragma once

namespace kelvaro {

inline constexpr int kMinSpeedWpm = 5;
inline constexpr int kMaxSpeedWpm = 50;

/// All lengths are frames of the 22050 Hz output. Derived afresh at the start of every
/// character, so a change made during playback applies from the next one.
struct ElementTiming {
    int DashFrames = 0;
    int DotFrames = 0;
    /// One third of a dash: the unit that character and word gaps are counted in.
    int UnitGapFrames = 0;
    /// The silence after each element: the unit, or the tighter paddle gap while a paddle is held.
    int ElementGapFrames = 0;

    /// speedWpm 5..50, weightRatio 3, 4 or 5 (dash divided by dot).
    static ElementTiming For(int speedWpm, int weightRatio, bool paddleHeld);
};

}  // namespace kelvaro
