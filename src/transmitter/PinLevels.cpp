// Which control-register bit a parallel-port CW pin uses, and its level keyed and at rest.
#include "transmitter/PinLevels.h"

#include <cassert>

namespace kelvaro {

namespace {

constexpr int kPin16 = 2;

}  // namespace

std::uint16_t PinControlBit(int pinChoice) {
    assert(pinChoice >= 0 && pinChoice < kLptPinCount);
    return static_cast<std::uint16_t>(1U << pinChoice);
}

std::uint16_t PinControlValue(std::uint16_t control, int pinChoice, bool negativeLogic, bool keyed) {
    const std::uint16_t bit = PinControlBit(pinChoice);
    // Pins 1, 14 and 17 have their bit set while keyed with negative logic; pin 16, which the
    // port does not invert, the opposite.
    bool setBit = keyed == negativeLogic;
    if (pinChoice == kPin16) {
        setBit = !setBit;
    }
    return setBit ? static_cast<std::uint16_t>(control | bit) : static_cast<std::uint16_t>(control & ~bit);
}

}  // namespace kelvaro
