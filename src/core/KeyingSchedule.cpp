// The millisecond figures that key the transmitter in step with one character.
#include "core/KeyingSchedule.h"

#include "core/AudioFormat.h"
#include "core/Rounding.h"

namespace kelvaro {

int FramesToMs(int frames) {
    return static_cast<int>(RoundRatio(std::int64_t{frames} * 1000, kFrameRateHz));
}

KeyingSchedule KeyingSchedule::For(const ElementTiming& timing, bool keyingConfigured, bool paddleHeld) {
    KeyingSchedule schedule;
    if (keyingConfigured) {
        schedule.DashMs = FramesToMs(timing.DashFrames);
        schedule.DotMs = FramesToMs(timing.DotFrames);
        schedule.GapMs = FramesToMs(timing.UnitGapFrames);
    }
    if (paddleHeld) {
        schedule.PaddleSpacingMs = 2 * FramesToMs(timing.UnitGapFrames);
    }
    return schedule;
}

void KeyingSchedule::AddElement(bool isDash) {
    ElementList.push_back(isDash ? DashMs : DotMs);
    ElementList.push_back(-GapMs);
}

void KeyingSchedule::CloseCharacter() {
    if (!ElementList.empty()) {
        ElementList.back() = 0;
    }
}

}  // namespace kelvaro
