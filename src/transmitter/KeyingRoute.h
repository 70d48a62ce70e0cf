// Where the PTT and CW outputs go: serial lines, parallel-port pin and logic.
#pragma once

#include <cstdint>

namespace kelvaro {

/// Line mask bits.
constexpr int kDtrBit = 1;
constexpr int kRtsBit = 2;

struct KeyingRoute {
    int PttLineMask = kDtrBit | kRtsBit;
    int CwLineMask = 0;
    /// An LPT port is selected or LPTx is ticked: the CW pin is written.
    bool LptInUse = false;
    int PinChoice = 0;  // 0 .. 3: pin 1, 14, 16, 17
    bool NegativeLogic = true;
    std::uint16_t ActivePortAddress = 0;
    /// The control register as last read; every pin write starts from it.
    std::uint16_t LptControl = 0;
};

}  // namespace kelvaro
