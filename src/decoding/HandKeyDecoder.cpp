// Straight-key timing decoder and the character/word timer MMTimerEspace.
#include "decoding/HandKeyDecoder.h"

#include <algorithm>
#include <cassert>

#include "core/Rounding.h"
#include "decoding/MonitorDecoding.h"
#include "decoding/MonitorDisplay.h"
#include "platform/OneShotTimer.h"

namespace kelvaro {

HandKeyDecoder::HandKeyDecoder(MonitorDecoding& shared, MonitorDisplay& display, OneShotTimer& letterTimer)
    : Shared(shared), Display(display), LetterTimer(letterTimer) {}

void HandKeyDecoder::UpdateHandThresholds(int speedWpm) {
    assert(speedWpm > 0);
    const int wpm = std::max(speedWpm, 1);
    PmaxMs = static_cast<int>(RoundRatio(1800, wpm));
    TminMs = static_cast<int>(RoundRatio(2376, wpm));
    ImaxMs = static_cast<int>(RoundRatio(3000, wpm));
    ShowThresholds();
}

void HandKeyDecoder::ShowThresholds() {
    Display.ShowDebugLine("pmax:" + std::to_string(PmaxMs) + " tmin:" + std::to_string(TminMs) +
                          " imax:" + std::to_string(ImaxMs));
}

int HandKeyDecoder::ElapsedMs(std::int64_t fromUs, std::int64_t toUs) {
    // A monotonic clock never runs back; a negative difference can only come from a caller's
    // mistake and is taken as no time at all.
    return static_cast<int>(RoundRatio(std::max<std::int64_t>(toUs - fromUs, 0), 1000));
}

void HandKeyDecoder::TimeHandKey(bool down, std::int64_t nowUs) {
    if (down) {
        LetterTimer.SetEnabled(false);
        Shared.KeyIsDown = true;
        LastKeyDownUs = nowUs;
        if (LastKeyUpUs) {
            Shared.SpaceLength = ElapsedMs(*LastKeyUpUs, nowUs);
            if (Shared.SpaceLength < kBounceMs) {
                Shared.CurrentCode.clear();
                Shared.LastElement.clear();
                ResetKeyTimes();
            }
        }
        return;
    }

    Shared.LastElement.clear();
    Shared.KeyIsDown = false;
    if (LastKeyDownUs) {
        LastKeyUpUs = nowUs;
        Shared.MarkLength = ElapsedMs(*LastKeyDownUs, nowUs);
        if (Shared.MarkLength < kBounceMs) {
            Shared.CurrentCode.clear();
            Shared.LastElement.clear();
            ResetKeyTimes();
        } else {
            if (Shared.MarkLength > TminMs) {
                Shared.CurrentCode += '-';
                Shared.LastElement = "-";
            }
            if (Shared.MarkLength < PmaxMs) {
                Shared.CurrentCode += '.';
                Shared.LastElement = ".";
            }
            IsLetterDone = false;
            LetterTimeoutMs = ImaxMs;
            StartLetterTimer(LetterTimeoutMs);
        }
    }
    if (!Shared.LastElement.empty()) {
        Shared.EchoElements(Shared.LastElement);
    }
    Display.ShowDebugLine("pmax:" + std::to_string(PmaxMs) + " tmin:" + std::to_string(TminMs) +
                          " imax:" + std::to_string(ImaxMs) + " s:" + std::to_string(Shared.MarkLength) +
                          " i:" + std::to_string(Shared.SpaceLength));
}

void HandKeyDecoder::ResetKeyTimes() {
    LastKeyDownUs.reset();
    LastKeyUpUs.reset();
}

void HandKeyDecoder::StartLetterTimer(int intervalMs) {
    LetterTimer.SetEnabled(false);
    LetterTimer.SetIntervalMs(intervalMs);
    LetterTimer.SetEnabled(true);
}

void HandKeyDecoder::StartPaddleLetterTimer(int paddleSpacingMs) {
    IsLetterDone = false;
    LetterTimeoutMs = paddleSpacingMs;
    if (paddleSpacingMs > 0) {
        StartLetterTimer(paddleSpacingMs);
    }
}

void HandKeyDecoder::StopLetterTimer() {
    LetterTimer.SetEnabled(false);
}

void HandKeyDecoder::MMTimerEspaceTimer() {
    LetterTimer.SetEnabled(false);
    if (IsLetterDone) {
        Display.InsertText(" ");
        return;
    }
    const std::string pattern = Shared.CurrentCode;
    Shared.CurrentCode.clear();
    Shared.LastElement.clear();
    LastKeyUpUs.reset();
    IsLetterDone = true;
    Shared.DecodeAndShow(pattern);
    if (LetterTimeoutMs != 0) {
        StartLetterTimer(2 * LetterTimeoutMs);
    }
}

}  // namespace kelvaro
