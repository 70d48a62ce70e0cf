// Speed, weight, character spacing and word spacing, and the real average speed they give.
#pragma once

namespace kelvaro {

inline constexpr int kMinSpacing = 1;
inline constexpr int kMaxSpacing = 30;
inline constexpr int kMinWordSpaceFactor = 1;
inline constexpr int kMaxWordSpaceFactor = 4;

/// The reference word "PARIS " counts 49 units: 31 of elements and element gaps, 5 character
/// gaps of 3 x spacing units and 3 x word factor extra units for the word space. Extra
/// character spacing is only allowed while that keeps the real speed at 5 wpm or more.
class SpeedSettings {
public:
    int SpeedWpm() const { return Speed; }
    int WeightRatio() const { return Weight; }
    int Spacing() const { return SpacingSetting; }
    int WordSpaceFactor() const { return WordFactor; }

    /// Gap units added after a character at the current spacing: 3 x spacing - 1.
    int CharGapUnits() const { return 3 * SpacingSetting - 1; }
    /// wpm x 49 / (15 x spacing + 3 x word factor + 31).
    double RealSpeed() const;
    /// The base of every duration: wpm / 2.5.
    double SpeedFactor() const { return Speed / 2.5; }

    /// Sets the speed (clamped to 5..50), then lowers the spacing one step at a time while the
    /// real speed is below 5 and the spacing above 1.
    void ApplySpeed(int speedWpm);
    /// Ignored (returns false) outside 1..30; otherwise sets it and lowers it like ApplySpeed.
    bool ApplySpacing(int spacing);
    /// Ignored (returns false) outside 1..4.
    bool SetWordSpaceFactor(int factor);
    /// Ignored (returns false) unless 3, 4 or 5.
    bool SetWeightRatio(int ratio);
    /// One wpm up or down; false (and no change) at 50 and at 5 respectively.
    bool UpSpeed();
    bool DownSpeed();

private:
    void LowerSpacingForMinimumSpeed();

    int Speed = 12;
    int Weight = 3;
    int SpacingSetting = 1;
    int WordFactor = 1;
};

}  // namespace kelvaro
