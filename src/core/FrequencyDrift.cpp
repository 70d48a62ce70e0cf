// QRH: the pitch drifts character by character between two limits, reversing at each.
#include "core/FrequencyDrift.h"

#include <cstdlib>

namespace kelvaro {

bool FrequencyDrift::Step(double& noteFrequencyHz) {
    if (StepSetting == 0) {
        return false;
    }
    noteFrequencyHz += Rate;
    if (Rate <= 0) {
        if (noteFrequencyHz < MinHz) {
            noteFrequencyHz = MinHz;
            Rate = StepSetting;
        }
    } else if (noteFrequencyHz > MaxHz) {
        noteFrequencyHz = MaxHz;
        Rate = -StepSetting;
    }
    return true;
}

void FrequencyDrift::SetStepSetting(int stepHz) {
    StepSetting = stepHz;
    Rate = Rate < 0 ? -stepHz : stepHz;
}

}  // namespace kelvaro
