// Which control-register bit a parallel-port CW pin uses, and its level keyed and at rest.
#pragma once

#include <cstdint>

namespace kelvaro {

/// The "CW/LPT" choices, in the order of the panel: pin 1, 14, 16, 17.
constexpr int kLptPinCount = 4;

/// The control-register bit of the pin choice 0..3: 1, 2, 4, 8.
std::uint16_t PinControlBit(int pinChoice);

/// control with the chosen pin's bit put to its key-down (keyed true) or idle level. The port
/// inverts pins 1, 14 and 17 and not pin 16, so with negative logic every pin is low while
/// keyed and high at rest, and without it the reverse:
///
///   pin  bit   keyed, neg.  keyed, pos.  idle, neg.  idle, pos.
///    1   0x1      set          clear       clear        set
///   14   0x2      set          clear       clear        set
///   16   0x4      clear        set         set          clear
///   17   0x8      set          clear       clear        set
std::uint16_t PinControlValue(std::uint16_t control, int pinChoice, bool negativeLogic, bool keyed);

}  // namespace kelvaro
