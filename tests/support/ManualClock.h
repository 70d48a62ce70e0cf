// A clock for tests: it stands still until the test moves it.
#pragma once

#include <cstdint>

#include "platform/Clock.h"

namespace kelvaro::test {

class ManualClock : public Clock {
public:
    std::int64_t MonotonicUs() const override { return NowUs; }
    std::int64_t TimeOfDayUs() const override { return NowUs; }
    void AdvanceMs(int ms) { NowUs += std::int64_t{ms} * 1000; }

    std::int64_t NowUs = 1'000'000;
};

}  // namespace kelvaro::test
