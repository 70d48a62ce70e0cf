// A window timer on the Qt event loop.
#pragma once

#include <QTimer>

#include "platform/WindowTimer.h"

namespace kelvaro {

class QtWindowTimer final : public WindowTimer {
public:
    QtWindowTimer();
    void SetIntervalMs(int intervalMs) override;
    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return Timer.isActive(); }
    void SetOnTimer(std::function<void()> onTimer) override { OnTimer = std::move(onTimer); }

private:
    QTimer Timer;
    std::function<void()> OnTimer;
};

}  // namespace kelvaro
