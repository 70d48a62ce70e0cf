// A one-shot timer whose event runs on the window thread.
#include "platform/PostedOneShotTimer.h"

namespace kelvaro {

namespace {

// The inner timer never fires early; an event this much before its due time is a late one of
// an earlier arming.
constexpr std::int64_t kEarlyToleranceUs = 500;

}  // namespace

PostedOneShotTimer::PostedOneShotTimer(std::unique_ptr<OneShotTimer> inner, Dispatcher& windowThread,
                                       const Clock& clock)
    : Inner(std::move(inner)), WindowThread(windowThread), Now(clock) {
    Inner->SetPeriodic(false);
    Inner->SetIntervalMs(Interval);
    Inner->SetOnTimer([this] { InnerEvent(); });
}

PostedOneShotTimer::~PostedOneShotTimer() {
    Inner->SetEnabled(false);
    Inner.reset();  // joins the inner thread: no event runs past here
}

void PostedOneShotTimer::SetIntervalMs(int intervalMs) {
    std::lock_guard lock(Mutex);
    if (intervalMs == Interval || intervalMs < kResolutionMs) {
        return;
    }
    Interval = intervalMs;
    RearmLocked(IsEnabled);
}

int PostedOneShotTimer::IntervalMs() const {
    std::lock_guard lock(Mutex);
    return Interval;
}

void PostedOneShotTimer::SetEnabled(bool enabled) {
    std::lock_guard lock(Mutex);
    if (enabled == IsEnabled) {
        return;
    }
    RearmLocked(enabled);
}

bool PostedOneShotTimer::Enabled() const {
    std::lock_guard lock(Mutex);
    return IsEnabled;
}

void PostedOneShotTimer::RearmLocked(bool enabled) {
    ++Generation;
    IsEnabled = enabled;
    Inner->SetEnabled(false);
    if (enabled) {
        DueUs = Now.MonotonicUs() + std::int64_t{Interval} * 1000;
        Inner->SetIntervalMs(Interval);
        Inner->SetEnabled(true);
    }
}

// Inner timer's thread.
void PostedOneShotTimer::InnerEvent() {
    std::uint64_t generation = 0;
    {
        std::lock_guard lock(Mutex);
        if (!IsEnabled || Now.MonotonicUs() < DueUs - kEarlyToleranceUs) {
            return;
        }
        generation = Generation;
    }
    std::weak_ptr<int> alive = AliveToken;
    WindowThread.Post([this, alive, generation] {
        if (alive.lock()) {
            Deliver(generation);
        }
    });
}

// Window thread.
void PostedOneShotTimer::Deliver(std::uint64_t generation) {
    {
        std::lock_guard lock(Mutex);
        if (!IsEnabled || generation != Generation) {
            return;
        }
    }
    // Like the inner timer, a delivered event leaves the timer enabled: the handler disables it
    // and enables it again for the next event.
    if (Handler) {
        Handler();
    }
}

}  // namespace kelvaro
