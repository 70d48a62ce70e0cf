// Monotonic time and time of day.
#pragma once

#include <cstdint>

namespace kelvaro {

class Clock {
public:
    virtual ~Clock() = default;
    /// Microseconds on a clock that never jumps; only differences mean anything.
    virtual std::int64_t MonotonicUs() const = 0;
    /// Microseconds since the Unix epoch.
    virtual std::int64_t TimeOfDayUs() const = 0;
};

}  // namespace kelvaro
