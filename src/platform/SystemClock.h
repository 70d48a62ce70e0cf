// The system's clocks: the monotonic clock for intervals and the wall clock for the time of day.
#pragma once

#include <cstdint>

#include "platform/Clock.h"

namespace kelvaro {

/// Safe to call from any thread.
class SystemClock final : public Clock {
public:
    /// CLOCK_MONOTONIC: unaffected by changes of the system time.
    std::int64_t MonotonicUs() const override;
    /// CLOCK_REALTIME.
    std::int64_t TimeOfDayUs() const override;
};

}  // namespace kelvaro
