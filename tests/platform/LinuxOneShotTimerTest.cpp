// The keying timer: one event per enabling, stale events dropped, chains that keep no lateness.
#include <gtest/gtest.h>

#include <time.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/LinuxOneShotTimer.h"

namespace kelvaro {
namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;
constexpr std::int64_t kToleranceNs = 40 * kNsPerMs;

std::int64_t NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

void SleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

class TimerTest : public ::testing::Test {
protected:
    std::vector<std::int64_t> Ticks() {
        std::lock_guard lock(Mutex);
        return TickTimes;
    }
    void Record() {
        std::lock_guard lock(Mutex);
        TickTimes.push_back(NowNs());
    }

    std::mutex Mutex;
    std::vector<std::int64_t> TickTimes;
    LinuxOneShotTimer Timer;
};

TEST_F(TimerTest, StartsDisabledAt10Ms) {
    EXPECT_FALSE(Timer.Enabled());
    EXPECT_EQ(Timer.IntervalMs(), 10);
}

TEST_F(TimerTest, OneEventPerEnablingWhichLeavesEnabledTrue) {
    Timer.SetOnTimer([this] { Record(); });
    Timer.SetIntervalMs(30);
    const std::int64_t startNs = NowNs();
    Timer.SetEnabled(true);
    SleepMs(150);
    const auto ticks = Ticks();
    ASSERT_EQ(ticks.size(), 1U);
    EXPECT_GE(ticks[0] - startNs, 30 * kNsPerMs);
    EXPECT_LT(ticks[0] - startNs, 30 * kNsPerMs + kToleranceNs);
    EXPECT_TRUE(Timer.Enabled());
    Timer.SetEnabled(true);  // already enabled: nothing scheduled
    SleepMs(60);
    EXPECT_EQ(Ticks().size(), 1U);
}

TEST_F(TimerTest, CancelledEventNeverArrives) {
    Timer.SetOnTimer([this] { Record(); });
    Timer.SetIntervalMs(40);
    Timer.SetEnabled(true);
    SleepMs(10);
    Timer.SetEnabled(false);
    SleepMs(80);
    EXPECT_TRUE(Ticks().empty());
}

TEST_F(TimerTest, NewIntervalReplacesThePendingEvent) {
    Timer.SetOnTimer([this] { Record(); });
    Timer.SetIntervalMs(20);
    Timer.SetEnabled(true);
    const std::int64_t changedNs = NowNs();
    Timer.SetIntervalMs(100);
    SleepMs(200);
    const auto ticks = Ticks();
    ASSERT_EQ(ticks.size(), 1U);
    EXPECT_GE(ticks[0] - changedNs, 100 * kNsPerMs);
}

TEST_F(TimerTest, IntervalBelowTheResolutionIsIgnored) {
    Timer.SetIntervalMs(25);
    Timer.SetIntervalMs(0);
    EXPECT_EQ(Timer.IntervalMs(), 25);
    Timer.SetIntervalMs(-5);
    EXPECT_EQ(Timer.IntervalMs(), 25);
    Timer.SetIntervalMs(OneShotTimer::kResolutionMs);
    EXPECT_EQ(Timer.IntervalMs(), 1);
}

TEST_F(TimerTest, ReArmingInsideTheEventCountsFromItsDueTime) {
    // Each handler wastes 3 ms before re-arming 5 ms: twenty events must still take 100 ms,
    // not 160 ms.
    constexpr int kEvents = 20;
    std::atomic<int> count{0};
    Timer.SetIntervalMs(5);
    Timer.SetOnTimer([&] {
        Record();
        const std::int64_t busyUntil = NowNs() + 3 * kNsPerMs;
        while (NowNs() < busyUntil) {
        }
        if (++count < kEvents) {
            Timer.SetEnabled(false);
            Timer.SetEnabled(true);
        }
    });
    const std::int64_t startNs = NowNs();
    Timer.SetEnabled(true);
    for (int waited = 0; waited < 2000 && count.load() < kEvents; waited += 5) {
        SleepMs(5);
    }
    const auto ticks = Ticks();
    ASSERT_EQ(ticks.size(), static_cast<std::size_t>(kEvents));
    EXPECT_NEAR(ticks.back() - startNs, kEvents * 5 * kNsPerMs, kToleranceNs);
}

TEST_F(TimerTest, PeriodicTicksUntilDisabled) {
    Timer.SetOnTimer([this] { Record(); });
    Timer.SetIntervalMs(10);
    Timer.SetPeriodic(true);
    Timer.SetEnabled(true);
    SleepMs(105);
    Timer.SetEnabled(false);
    const std::size_t ticked = Ticks().size();
    // A one-shot would tick once; a starved thread on a busy machine may miss a few periods.
    EXPECT_GE(ticked, 3U);
    EXPECT_LE(ticked, 11U);
    SleepMs(40);
    EXPECT_EQ(Ticks().size(), ticked);
}

TEST(LinuxOneShotTimer, DestroyingAnArmedTimerDeliversNothing) {
    std::atomic<int> ticks{0};
    {
        LinuxOneShotTimer timer;
        timer.SetOnTimer([&] { ++ticks; });
        timer.SetIntervalMs(30);
        timer.SetEnabled(true);
    }
    SleepMs(60);
    EXPECT_EQ(ticks.load(), 0);
}

}  // namespace
}  // namespace kelvaro
