// Speed, weight, character spacing and word spacing, and the real average speed they give.
#include "core/SpeedSettings.h"

#include <algorithm>

#include "core/ElementTiming.h"

namespace kelvaro {

double SpeedSettings::RealSpeed() const {
    return Speed * 49.0 / (15.0 * SpacingSetting + 3.0 * WordFactor + 31.0);
}

void SpeedSettings::ApplySpeed(int speedWpm) {
    Speed = std::clamp(speedWpm, kMinSpeedWpm, kMaxSpeedWpm);
    LowerSpacingForMinimumSpeed();
}

bool SpeedSettings::ApplySpacing(int spacing) {
    if (spacing < kMinSpacing || spacing > kMaxSpacing) {
        return false;
    }
    SpacingSetting = spacing;
    LowerSpacingForMinimumSpeed();
    return true;
}

bool SpeedSettings::SetWordSpaceFactor(int factor) {
    if (factor < kMinWordSpaceFactor || factor > kMaxWordSpaceFactor) {
        return false;
    }
    WordFactor = factor;
    return true;
}

bool SpeedSettings::SetWeightRatio(int ratio) {
    if (ratio < 3 || ratio > 5) {
        return false;
    }
    Weight = ratio;
    return true;
}

bool SpeedSettings::UpSpeed() {
    if (Speed >= kMaxSpeedWpm) {
        return false;
    }
    ApplySpeed(Speed + 1);
    return true;
}

bool SpeedSettings::DownSpeed() {
    if (Speed <= kMinSpeedWpm) {
        return false;
    }
    ApplySpeed(Speed - 1);
    return true;
}

void SpeedSettings::LowerSpacingForMinimumSpeed() {
    while (RealSpeed() < kMinSpeedWpm && SpacingSetting > kMinSpacing) {
        --SpacingSetting;
    }
}

}  // namespace kelvaro
