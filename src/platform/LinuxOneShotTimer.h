// The keying timer on Linux: its own thread, absolute deadlines on the monotonic clock.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/OneShotTimer.h"

namespace kelvaro {

/// The thread asks for SCHED_FIFO and carries on at normal priority when refused. It waits
/// on a condition variable while the event is far, then with clock_nanosleep(TIMER_ABSTIME) on
/// CLOCK_MONOTONIC until shortly before the due time, and spins on the clock for the rest, so
/// that an event lands within tens of microseconds of its due time although the sleep itself
/// wakes hundreds of microseconds late. How early it stops sleeping follows the lateness it
/// has seen recently.
///
///   idle --Enabled true--> armed --far: condition wait--> armed
///                            |--near: clock_nanosleep, spin--> due --> OnTimer --> idle
///                            '--Enabled false / new interval--> idle (the wait sees a stale
///                                                                     generation and drops it)
class LinuxOneShotTimer final : public OneShotTimer {
public:
    LinuxOneShotTimer();
    ~LinuxOneShotTimer() override;
    LinuxOneShotTimer(const LinuxOneShotTimer&) = delete;
    LinuxOneShotTimer& operator=(const LinuxOneShotTimer&) = delete;

    void SetIntervalMs(int intervalMs) override;
    int IntervalMs() const override;
    void SetEnabled(bool enabled) override;
    bool Enabled() const override;
    void SetPeriodic(bool periodic) override;
    void SetOnTimer(std::function<void()> onTimer) override;

    /// Whether the system granted the real-time policy to the timer's thread.
    bool RealTimeGranted() const { return RealTime.load(); }
    /// The due time of the event being handled or last handled, on CLOCK_MONOTONIC, in ns.
    std::int64_t LastDueNs() const;

private:
    void Run();
    /// With Mutex held: cancel, then schedule from baseNs when enabled.
    void Reschedule(std::int64_t baseNs);
    /// With Mutex held: the base of a new schedule, the due time of the current event when
    /// called from inside OnTimer.
    std::int64_t ScheduleBaseNs() const;

    mutable std::mutex Mutex;
    std::condition_variable Changed;
    // Guarded by Mutex: written by any thread that sets a property, and the timer thread.
    int Interval = 10;
    bool IsEnabled = false;
    bool Periodic = false;
    bool Armed = false;
    std::int64_t DueNs = 0;
    std::uint64_t Generation = 0;
    bool InTick = false;
    std::int64_t TickDueNs = 0;
    bool Stopping = false;
    std::thread::id WorkerId;
    std::function<void()> Handler;
    // Written: timer thread; read: any (atomic).
    std::atomic<bool> RealTime{false};
    std::thread Worker;
};

}  // namespace kelvaro
