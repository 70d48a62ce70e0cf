// The system's clocks: the monotonic clock for intervals and the wall clock for the time of day.
#include "platform/SystemClock.h"

#include <time.h>

namespace kelvaro {

namespace {

std::int64_t ReadUs(clockid_t clockId) {
    timespec now{};
    clock_gettime(clockId, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1'000;
}

}  // namespace

std::int64_t SystemClock::MonotonicUs() const {
    return ReadUs(CLOCK_MONOTONIC);
}

std::int64_t SystemClock::TimeOfDayUs() const {
    return ReadUs(CLOCK_REALTIME);
}

}  // namespace kelvaro
