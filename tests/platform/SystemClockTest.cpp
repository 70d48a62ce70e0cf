// The system's clocks: a monotonic clock in microseconds and the time of day.
#include "platform/SystemClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

namespace kelvaro {
namespace {

TEST(SystemClockTest, ReadsMicrosecondsOnTheSteadyAndTheWallClock) {
    const SystemClock clock;
    const std::int64_t before = clock.MonotonicUs();
    const auto busyUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(3);
    while (std::chrono::steady_clock::now() < busyUntil) {
    }
    const std::int64_t elapsedUs = clock.MonotonicUs() - before;
    EXPECT_GE(elapsedUs, 3000 - 1);  // each reading drops its nanoseconds
    EXPECT_LT(elapsedUs, 3000 + 50'000);

    const auto wallUs = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    EXPECT_LT(std::llabs(clock.TimeOfDayUs() - wallUs), 1'000'000);
}

}  // namespace
}  // namespace kelvaro
