// QRH: the pitch drifts character by character between two limits, reversing at each.
#pragma once

namespace kelvaro {

inline constexpr int kDefaultDriftStepHz = 10;
inline constexpr int kDefaultDriftMaxHz = 1300;
inline constexpr int kDefaultDriftMinHz = 300;

class FrequencyDrift {
public:
    /// Hz per character, 0..50 in steps of 5.
    int StepSetting = kDefaultDriftStepHz;
    /// Signed: the direction of the next step.
    int Rate = kDefaultDriftStepHz;
    int MaxHz = kDefaultDriftMaxHz;
    int MinHz = kDefaultDriftMinHz;

    /// Moves noteFrequencyHz one step; at a limit it is clamped and the direction reverses.
    /// Returns true when a step was taken (a step of 0 Hz takes none): the tables are then
    /// rebuilt after the character is queued, so the new pitch is heard from the next one.
    bool Step(double& noteFrequencyHz);

    /// A new step size keeps the current direction.
    void SetStepSetting(int stepHz);
    /// Direction back to upwards at the set step.
    void ResetDirection() { Rate = StepSetting; }
    /// Switching drift on keeps the direction it had (upwards when it was zero).
    void SwitchOn() { Rate = Rate < 0 ? -StepSetting : StepSetting; }
};

}  // namespace kelvaro
