// The texts of the port panel that carry numbers: LPT address boxes, the LPTx address, TX delay.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvaro {

/// "[" + at least three upper-case hexadecimal digits + "h]": 0x378 gives "[378h]".
std::string LptAddressBoxText(std::uint16_t address);

/// The address in a box text: exactly "[", three hexadecimal digits, "h]" ("[37Ah]" gives
/// 0x37A). Anything else ("[37A]", "[37Gh]") gives nothing.
std::optional<std::uint16_t> ParseLptAddressBoxText(std::string_view text);

enum class LptxCheck { Accepted, NotFourCharacters, NotHexadecimal };

/// The checks of a typed LPTx address: exactly four characters, all hexadecimal.
LptxCheck CheckLptxText(std::string_view text);
/// The value of four hexadecimal digits; nothing when CheckLptxText does not accept them.
std::optional<std::uint16_t> LptxAddressValue(std::string_view text);

/// The "TX Delay" choices 0..4 last 50 .. 250 ms.
constexpr int kTxDelayChoiceCount = 5;
int TxDelayMsForChoice(int choice);
/// The choice for a stored delay: ms / 50 - 1 to the nearest integer, halves to even;
/// nothing when that is not a choice.
std::optional<int> TxDelayChoiceForMs(int delayMs);

}  // namespace kelvaro
