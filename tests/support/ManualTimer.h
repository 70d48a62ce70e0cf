// A window timer for tests: ticks only when the test says so.
#pragma once

#include <functional>

#include "platform/WindowTimer.h"

namespace kelvaro::test {

class ManualTimer : public WindowTimer {
public:
    void SetIntervalMs(int intervalMs) override { IntervalMs = intervalMs; }
    void SetEnabled(bool enabled) override { IsEnabled = enabled; }
    bool Enabled() const override { return IsEnabled; }
    void SetOnTimer(std::function<void()> onTimer) override { OnTimer = std::move(onTimer); }

    /// Runs one tick if the timer is enabled; returns whether it ticked.
    bool Tick() {
        if (!IsEnabled || !OnTimer) {
            return false;
        }
        OnTimer();
        return true;
    }

    int IntervalMs = 0;

private:
    bool IsEnabled = false;
    std::function<void()> OnTimer;
};

}  // namespace kelvaro::test
