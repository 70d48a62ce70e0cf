// A repeating timer whose ticks run on the window thread.
#pragma once

#include <functional>

namespace kelvaro {

/// Enabling an enabled timer does not restart its interval; disabling drops a pending tick.
class WindowTimer {
public:
    virtual ~WindowTimer() = default;
    virtual void SetIntervalMs(int intervalMs) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetOnTimer(std::function<void()> onTimer) = 0;
};

}  // namespace kelvaro
