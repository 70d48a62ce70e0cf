// The texts of the port panel that carry numbers: LPT address boxes, the LPTx address, TX delay.
#include "transmitter/PortTexts.h"

#include <cstdio>

#include "core/Rounding.h"

namespace kelvaro {

namespace {

std::optional<std::uint16_t> ParseHex(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (char digit : digits) {
        unsigned nibble = 0;
        if (digit >= '0' && digit <= '9') {
            nibble = static_cast<unsigned>(digit - '0');
        } else if (digit >= 'a' && digit <= 'f') {
            nibble = static_cast<unsigned>(digit - 'a' + 10);
        } else if (digit >= 'A' && digit <= 'F') {
            nibble = static_cast<unsigned>(digit - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = value * 16 + nibble;
    }
    return static_cast<std::uint16_t>(value);
}

}  // namespace

std::string LptAddressBoxText(std::uint16_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "[%03Xh]", static_cast<unsigned>(address));
    return text;
}

std::optional<std::uint16_t> ParseLptAddressBoxText(std::string_view text) {
    if (text.size() != 6 || text.front() != '[' || text.substr(4) != "h]") {
        return std::nullopt;
    }
    return ParseHex(text.substr(1, 3));
}

LptxCheck CheckLptxText(std::string_view text) {
    if (text.size() != 4) {
        return LptxCheck::NotFourCharacters;
    }
    return ParseHex(text) ? LptxCheck::Accepted : LptxCheck::NotHexadecimal;
}

std::optional<std::uint16_t> LptxAddressValue(std::string_view text) {
    if (CheckLptxText(text) != LptxCheck::Accepted) {
        return std::nullopt;
    }
    return ParseHex(text);
}

int TxDelayMsForChoice(int choice) {
    return 50 * choice + 50;
}

std::optional<int> TxDelayChoiceForMs(int delayMs) {
    const int choice = static_cast<int>(RoundHalfEven(delayMs / 50.0 - 1.0));
    if (choice < 0 || choice >= kTxDelayChoiceCount) {
        return std::nullopt;
    }
    return choice;
}

}  // namespace kelvaro
