// A keying timer for tests: its event runs only when the test fires it, on the test's thread.
#pragma once

#include <functional>

#include "platform/OneShotTimer.h"

namespace kelvaro::test {

class ManualOneShotTimer : public OneShotTimer {
public:
    void SetIntervalMs(int intervalMs) override { Interval = intervalMs; }
    int IntervalMs() const override { return Interval; }
    void SetEnabled(bool enabled) override { IsEnabled = enabled; }
    bool Enabled() const override { return IsEnabled; }
    void SetPeriodic(bool periodic) override { Periodic = periodic; }
    void SetOnTimer(std::function<void()> onTimer) override { OnTimer = std::move(onTimer); }

    /// Runs the due event if the timer is enabled; returns whether it ran.
    bool Fire() {
        if (!IsEnabled || !OnTimer) {
            return false;
        }
        OnTimer();
        return true;
    }

private:
    int Interval = 10;
    bool IsEnabled = false;
    bool Periodic = false;
    std::function<void()> OnTimer;
};

}  // namespace kelvaro::test
