// A millisecond timer whose events run on a thread of their own, for the CW keying sequencer.
#pragma once

#include <functional>

namespace kelvaro {

/// Setting Enabled true schedules one event Interval ms ahead, false cancels it; an event that
/// was cancelled or replaced before it ran is never delivered. A one-shot event leaves Enabled
/// true, so a handler that wants the next event sets Enabled false, then true again.
/// Called from inside OnTimer, Enabled true counts the interval from the due time of the event
/// being handled, not from the moment the handler runs: a chain of events keeps no lateness.
/// Every method may be called from any thread, OnTimer included.
class OneShotTimer {
public:
    /// The finest interval the timer accepts, in ms.
    static constexpr int kResolutionMs = 1;

    virtual ~OneShotTimer() = default;

    /// Ignored when equal to the current interval or below kResolutionMs; otherwise cancels
    /// and, when enabled, schedules anew with the new interval.
    virtual void SetIntervalMs(int intervalMs) = 0;
    virtual int IntervalMs() const = 0;
    /// Setting the current value does nothing.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
    /// false (the default): one event per enabling; true: an event every Interval ms.
    /// Changing it cancels and, when enabled, schedules anew.
    virtual void SetPeriodic(bool periodic) = 0;
    /// Set it before the first enabling; it runs on the timer's thread.
    virtual void SetOnTimer(std::function<void()> onTimer) = 0;
};

}  // namespace kelvaro
