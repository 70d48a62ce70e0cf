// A one-shot timer whose event runs on the window thread: the character and word timer of the
// key decoders, which works on the received pattern and the monitor pane.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/Clock.h"
#include "platform/Dispatcher.h"
#include "platform/OneShotTimer.h"

namespace kelvaro {

/// The inner timer keeps time on its own thread; its event is posted through the Dispatcher
/// and runs there only when the timer is still armed for that very event:
///
///   idle --Enabled true--> armed --inner event (not early)--> posted --window thread--> OnTimer
///                            ^                                  |
///                            '--Enabled false / true again, new interval: the posted event
///                               carries an old generation and is dropped
///
/// An inner event that was already running while the timer was armed anew (so it belongs to
/// the old arming) is recognised by arriving well before the new due time and dropped too.
/// The methods are called on the window thread; only the inner event runs elsewhere. A posted
/// event that arrives after the timer is destroyed does nothing.
class PostedOneShotTimer final : public OneShotTimer {
public:
    PostedOneShotTimer(std::unique_ptr<OneShotTimer> inner, Dispatcher& windowThread, const Clock& clock);
    ~PostedOneShotTimer() override;
    PostedOneShotTimer(const PostedOneShotTimer&) = delete;
    PostedOneShotTimer& operator=(const PostedOneShotTimer&) = delete;

    void SetIntervalMs(int intervalMs) override;
    int IntervalMs() const override;
    void SetEnabled(bool enabled) override;
    bool Enabled() const override;
    /// Only one-shot events are offered; periodic requests are ignored.
    void SetPeriodic(bool /*periodic*/) override {}
    /// Runs on the window thread.
    void SetOnTimer(std::function<void()> onTimer) override { Handler = std::move(onTimer); }

private:
    /// With Mutex held: a new arming (or none), so that events of the old one are dropped.
    void RearmLocked(bool enabled);
    void InnerEvent();
    void Deliver(std::uint64_t generation);

    std::unique_ptr<OneShotTimer> Inner;
    Dispatcher& WindowThread;
    const Clock& Now;
    std::function<void()> Handler;
    std::shared_ptr<int> AliveToken = std::make_shared<int>(0);

    mutable std::mutex Mutex;
    // Guarded by Mutex: written by the window thread, read by the inner timer's thread.
    int Interval = 10;
    bool IsEnabled = false;
    std::uint64_t Generation = 0;
    std::int64_t DueUs = 0;
};

}  // namespace kelvaro
