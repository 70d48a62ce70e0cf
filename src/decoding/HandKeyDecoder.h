// Straight-key timing decoder and the character/word timer MMTimerEspace.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelvaro {

class MonitorDecoding;
class MonitorDisplay;
class OneShotTimer;

/// Marks are timed between key transitions, classified against limits derived from the set
/// speed, and appended to the shared pattern; silence then ends the character and, longer,
/// the word:
///
///   idle --key down--> down --key up--> up: element appended, timer := imax
///    ^                  ^                 |            |
///    |                  +---- key down ---+            | tick: character printed,
///    |                  (timer stopped, space timed)   v       timer := 2 x LetterTimeout
///    +-- second tick: word space " " <---------- LetterDone (waits for a word gap)
///
/// A mark or a space under 25 ms is a contact bounce: the character being received is
/// dropped and both key times are forgotten, so the next key-up measures nothing.
/// The paddle keyer uses the same timer (StartPaddleLetterTimer). Window thread only: the
/// owner delivers the timer's tick here, on the window thread.
class HandKeyDecoder {
public:
    static constexpr int kBounceMs = 25;

    HandKeyDecoder(MonitorDecoding& shared, MonitorDisplay& display, OneShotTimer& letterTimer);

    /// pmax, tmin and imax for the set speed (wpm >= 1); shows them on the debug line.
    void UpdateHandThresholds(int speedWpm);
    /// A key transition; nowUs is monotonic time in microseconds (never a time of day).
    void TimeHandKey(bool down, std::int64_t nowUs);
    /// Both key times := none.
    void ResetKeyTimes();
    /// The play queue ran empty in a paddle setting: LetterDone := false and, when
    /// paddleSpacingMs > 0, the timer starts with it (LetterTimeout := paddleSpacingMs).
    void StartPaddleLetterTimer(int paddleSpacingMs);
    void StopLetterTimer();
    /// The tick of MMTimerEspace.
    void MMTimerEspaceTimer();

    /// A mark shorter than this is a dot, ms.
    int Pmax() const { return PmaxMs; }
    /// A mark longer than this is a dash, ms.
    int Tmin() const { return TminMs; }
    /// Silence after a key-up that ends the character, ms.
    int Imax() const { return ImaxMs; }
    int LetterTimeout() const { return LetterTimeoutMs; }
    bool LetterDone() const { return IsLetterDone; }

private:
    void ShowThresholds();
    void StartLetterTimer(int intervalMs);
    static int ElapsedMs(std::int64_t fromUs, std::int64_t toUs);

    MonitorDecoding& Shared;
    MonitorDisplay& Display;
    OneShotTimer& LetterTimer;
    int PmaxMs = 0;
    int TminMs = 0;
    int ImaxMs = 0;
    int LetterTimeoutMs = 0;
    bool IsLetterDone = false;
    std::optional<std::int64_t> LastKeyDownUs;
    std::optional<std::int64_t> LastKeyUpUs;
};

}  // namespace kelvaro
