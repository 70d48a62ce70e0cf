// The keying timer on Linux: its own thread, absolute deadlines on the monotonic clock.
#include "platform/LinuxOneShotTimer.h"

#include <pthread.h>
#include <sched.h>
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace kelvaro {

namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;
/// Beyond this distance from the sleep target the thread waits on the condition variable, so
/// that a cancelled or moved event does not keep it asleep.
constexpr std::int64_t kCoarseSliceNs = 4 * kNsPerMs;
/// Bounds of the spin that ends each wait.
constexpr std::int64_t kMinSpinNs = 150'000;
constexpr std::int64_t kMaxSpinNs = 3 * kNsPerMs;
constexpr std::int64_t kSpinMarginNs = 100'000;
/// The real-time priority asked for the thread: above ordinary work, below the kernel's own.
constexpr int kRealTimePriority = 40;

std::int64_t NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

timespec ToTimespec(std::int64_t ns) {
    timespec value{};
    value.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
    value.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    return value;
}

/// libstdc++'s steady_clock is CLOCK_MONOTONIC, so its time points compare with NowNs.
std::chrono::steady_clock::time_point SteadyAt(std::int64_t ns) {
    return std::chrono::steady_clock::time_point(std::chrono::nanoseconds(ns));
}

}  // namespace

LinuxOneShotTimer::LinuxOneShotTimer() {
    Worker = std::thread([this] { Run(); });
    std::lock_guard lock(Mutex);
    WorkerId = Worker.get_id();
}

LinuxOneShotTimer::~LinuxOneShotTimer() {
    {
        std::lock_guard lock(Mutex);
        Stopping = true;
        Armed = false;
    }
    Changed.notify_all();
    Worker.join();
}

void LinuxOneShotTimer::SetIntervalMs(int intervalMs) {
    std::lock_guard lock(Mutex);
    if (intervalMs == Interval || intervalMs < kResolutionMs) {
        return;
    }
    Interval = intervalMs;
    Reschedule(ScheduleBaseNs());
}

int LinuxOneShotTimer::IntervalMs() const {
    std::lock_guard lock(Mutex);
    return Interval;
}

void LinuxOneShotTimer::SetEnabled(bool enabled) {
    std::lock_guard lock(Mutex);
    if (enabled == IsEnabled) {
        return;
    }
    IsEnabled = enabled;
    Reschedule(ScheduleBaseNs());
}

bool LinuxOneShotTimer::Enabled() const {
    std::lock_guard lock(Mutex);
    return IsEnabled;
}

void LinuxOneShotTimer::SetPeriodic(bool periodic) {
    std::lock_guard lock(Mutex);
    if (periodic == Periodic) {
        return;
    }
    Periodic = periodic;
    Reschedule(ScheduleBaseNs());
}

void LinuxOneShotTimer::SetOnTimer(std::function<void()> onTimer) {
    std::lock_guard lock(Mutex);
    Handler = std::move(onTimer);
}

std::int64_t LinuxOneShotTimer::LastDueNs() const {
    std::lock_guard lock(Mutex);
    return TickDueNs;
}

std::int64_t LinuxOneShotTimer::ScheduleBaseNs() const {
    if (InTick && std::this_thread::get_id() == WorkerId) {
        return TickDueNs;
    }
    return NowNs();
}

void LinuxOneShotTimer::Reschedule(std::int64_t baseNs) {
    ++Generation;
    Armed = IsEnabled && !Stopping;
    if (Armed) {
        DueNs = baseNs + static_cast<std::int64_t>(Interval) * kNsPerMs;
    }
    Changed.notify_all();
}

void LinuxOneShotTimer::Run() {
    sched_param parameter{};
    parameter.sched_priority = kRealTimePriority;
    RealTime.store(pthread_setschedparam(pthread_self(), SCHED_FIFO, &parameter) == 0);

    std::int64_t spinNs = kMaxSpinNs / 2;  // adapts to the lateness of the sleeps
    std::int64_t recentLatenessNs = 0;
    std::unique_lock lock(Mutex);
    while (!Stopping) {
        if (!Armed) {
            Changed.wait(lock);
            continue;
        }
        const std::uint64_t generation = Generation;
        const std::int64_t dueNs = DueNs;
        const std::int64_t sleepUntilNs = dueNs - spinNs;
        const std::int64_t nowNs = NowNs();
        if (sleepUntilNs - nowNs > kCoarseSliceNs) {
            Changed.wait_until(lock, SteadyAt(sleepUntilNs - kCoarseSliceNs));
            continue;
        }
        lock.unlock();
        if (sleepUntilNs > nowNs) {
            const timespec target = ToTimespec(sleepUntilNs);
            while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &target, nullptr) == EINTR) {
            }
            const std::int64_t latenessNs = NowNs() - sleepUntilNs;
            recentLatenessNs = std::max(latenessNs, recentLatenessNs - recentLatenessNs / 64);
            spinNs = std::clamp(recentLatenessNs + kSpinMarginNs, kMinSpinNs, kMaxSpinNs);
        }
        while (NowNs() < dueNs) {
        }
        lock.lock();
        if (Stopping || !Armed || Generation != generation) {
            continue;  // cancelled or moved while the thread slept: this event is stale
        }
        Armed = Periodic;
        if (Periodic) {
            DueNs = dueNs + static_cast<std::int64_t>(Interval) * kNsPerMs;
        }
        InTick = true;
        TickDueNs = dueNs;
        std::function<void()> handler = Handler;
        lock.unlock();
        if (handler) {
            handler();
        }
        lock.lock();
        InTick = false;
    }
}

}  // namespace kelvaro
