// The window thread of the command-line tool and the benchmarks: posted work and timer ticks, in order.
#include "platform/EventLoop.h"

#include <algorithm>
#include <cassert>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace kelvaro {

namespace {

using SteadyClock = std::chrono::steady_clock;

/// One timer as the loop sees it. Every field is guarded by the loop's mutex.
struct TimerEntry {
    std::function<void()> OnTimer;
    int IntervalMs = 0;
    bool IsEnabled = false;
    /// When the next tick is due; meaningful only while IsEnabled and IntervalMs > 0.
    SteadyClock::time_point DueAt;
    /// Breaks ties between timers due at the same instant: the older timer ticks first.
    std::uint64_t CreationOrder = 0;

    bool IsArmed() const { return IsEnabled && IntervalMs > 0; }
};

}  // namespace

/// Internal state shared between the loop, the threads that post, and the timers.
struct EventLoop::Shared {
    std::mutex Mutex;
    std::condition_variable WorkArrived;
    std::deque<std::function<void()>> Queue;
    std::vector<std::shared_ptr<TimerEntry>> Timers;
    std::uint64_t TimersCreated = 0;
    bool QuitRequested = false;

    /// The armed timer due first, or nullptr. Called with Mutex held.
    std::shared_ptr<TimerEntry> FirstDueTimer() const {
        std::shared_ptr<TimerEntry> first;
        for (const auto& timer : Timers) {
            if (!timer->IsArmed()) {
                continue;
            }
            if (!first || timer->DueAt < first->DueAt ||
                (timer->DueAt == first->DueAt && timer->CreationOrder < first->CreationOrder)) {
                first = timer;
            }
        }
        return first;
    }

    enum class RunResult { Ran, TimeIsUp, QuitAsked };

    /// Runs one timer tick or one piece of posted work, waiting for it until waitLimit at most.
    /// A pending Quit is consumed and reported.
    RunResult RunOne(std::optional<SteadyClock::time_point> waitLimit) {
        std::unique_lock lock(Mutex);
        for (;;) {
            if (QuitRequested) {
                QuitRequested = false;
                return RunResult::QuitAsked;
            }
            const auto now = SteadyClock::now();
            const auto dueTimer = FirstDueTimer();
            if (dueTimer && dueTimer->DueAt <= now) {
                // Ticks that were missed while the thread was busy are not made up in a burst.
                dueTimer->DueAt += std::chrono::milliseconds(dueTimer->IntervalMs);
                if (dueTimer->DueAt <= now) {
                    dueTimer->DueAt = now + std::chrono::milliseconds(dueTimer->IntervalMs);
                }
                // A copy, so that the handler may replace itself or destroy its timer.
                auto onTimer = dueTimer->OnTimer;
                lock.unlock();
                if (onTimer) {
                    onTimer();
                }
                return RunResult::Ran;
            }
            if (!Queue.empty()) {
                auto work = std::move(Queue.front());
                Queue.pop_front();
                lock.unlock();
                work();
                return RunResult::Ran;
            }
            std::optional<SteadyClock::time_point> wakeAt = waitLimit;
            if (dueTimer && (!wakeAt || dueTimer->DueAt < *wakeAt)) {
                wakeAt = dueTimer->DueAt;
            }
            if (!wakeAt) {
                WorkArrived.wait(lock);
            } else if (waitLimit && now >= *waitLimit) {
                return RunResult::TimeIsUp;
            } else {
                WorkArrived.wait_until(lock, *wakeAt);
            }
        }
    }
};

namespace {

/// A WindowTimer served by an EventLoop. Its methods are called on the loop's thread.
class LoopTimer final : public WindowTimer {
public:
    explicit LoopTimer(std::shared_ptr<EventLoop::Shared> loop)
        : Loop(std::move(loop)), Entry(std::make_shared<TimerEntry>()) {
        std::lock_guard lock(Loop->Mutex);
        Entry->CreationOrder = Loop->TimersCreated++;
        Loop->Timers.push_back(Entry);
    }

    ~LoopTimer() override {
        std::lock_guard lock(Loop->Mutex);
        auto& timers = Loop->Timers;
        timers.erase(std::remove(timers.begin(), timers.end(), Entry), timers.end());
    }

    LoopTimer(const LoopTimer&) = delete;
    LoopTimer& operator=(const LoopTimer&) = delete;

    void SetIntervalMs(int intervalMs) override {
        std::lock_guard lock(Loop->Mutex);
        if (intervalMs == Entry->IntervalMs) {
            return;
        }
        // A new interval starts counting now, like a timer that is stopped and started again.
        Entry->IntervalMs = intervalMs;
        Entry->DueAt = SteadyClock::now() + std::chrono::milliseconds(intervalMs);
        Loop->WorkArrived.notify_all();
    }

    void SetEnabled(bool enabled) override {
        std::lock_guard lock(Loop->Mutex);
        if (enabled == Entry->IsEnabled) {
            return;
        }
        Entry->IsEnabled = enabled;
        if (enabled) {
            Entry->DueAt = SteadyClock::now() + std::chrono::milliseconds(Entry->IntervalMs);
            Loop->WorkArrived.notify_all();
        }
    }

    bool Enabled() const override {
        std::lock_guard lock(Loop->Mutex);
        return Entry->IsEnabled;
    }

    void SetOnTimer(std::function<void()> onTimer) override {
        std::lock_guard lock(Loop->Mutex);
        Entry->OnTimer = std::move(onTimer);
    }

private:
    std::shared_ptr<EventLoop::Shared> Loop;
    std::shared_ptr<TimerEntry> Entry;
};

}  // namespace

EventLoop::EventLoop() : State(std::make_shared<Shared>()) {}

EventLoop::~EventLoop() {
    // Timers that outlive the loop keep the shared state alive; they must never tick again.
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(State->Mutex);
        for (const auto& timer : State->Timers) {
            timer->IsEnabled = false;
        }
        dropped.swap(State->Queue);
    }
    // Work that never ran is destroyed outside the lock: what it owns may post on destruction.
}

void EventLoop::Post(std::function<void()> work) {
    assert(work);
    // Notified under the lock: once the loop can see the work, this call touches the loop no more,
    // so a loop that ends right after it may be destroyed safely.
    std::lock_guard lock(State->Mutex);
    State->Queue.push_back(std::move(work));
    State->WorkArrived.notify_one();
}

void EventLoop::Run() {
    while (State->RunOne(std::nullopt) == Shared::RunResult::Ran) {
    }
}

bool EventLoop::RunUntil(const std::function<bool()>& isDone, int timeoutMs) {
    const auto waitLimit = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    while (!isDone()) {
        if (State->RunOne(waitLimit) != Shared::RunResult::Ran) {
            break;
        }
    }
    return isDone();
}

void EventLoop::Quit() {
    std::lock_guard lock(State->Mutex);
    State->QuitRequested = true;
    State->WorkArrived.notify_all();
}

std::unique_ptr<WindowTimer> EventLoop::CreateTimer() {
    return std::make_unique<LoopTimer>(State);
}

}  // namespace kelvaro
