// Letter case of the program's 8-bit Windows-1252 character codes.
#include "core/Cp1252.h"

namespace kelvaro {

namespace {

constexpr std::uint8_t kMultiplicationSign = 0xD7;
constexpr std::uint8_t kDivisionSign = 0xF7;
/// Upper- and lower-case letters of the Latin-1 block lie 0x20 apart, as in ASCII.
constexpr std::uint8_t kCaseDistance = 0x20;

/// The four letter pairs outside the two regular blocks: Š/š, Œ/œ, Ž/ž, Ÿ/ÿ.
struct CasePair {
    std::uint8_t Upper;
    std::uint8_t Lower;
};
constexpr CasePair kIrregularPairs[] = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};

bool IsRegularUpper(std::uint8_t code) {
    return (code >= 'A' && code <= 'Z') || (code >= 0xC0 && code <= 0xDE && code != kMultiplicationSign);
}

bool IsRegularLower(std::uint8_t code) {
    return (code >= 'a' && code <= 'z') || (code >= 0xE0 && code <= 0xFE && code != kDivisionSign);
}

}  // namespace

std::uint8_t Cp1252::ToLower(std::uint8_t code) {
    if (IsRegularUpper(code)) {
        return static_cast<std::uint8_t>(code + kCaseDistance);
    }
    for (const CasePair& pair : kIrregularPairs) {
        if (code == pair.Upper) {
            return pair.Lower;
        }
    }
    return code;
}

std::uint8_t Cp1252::ToUpper(std::uint8_t code) {
    if (IsRegularLower(code)) {
        return static_cast<std::uint8_t>(code - kCaseDistance);
    }
    for (const CasePair& pair : kIrregularPairs) {
        if (code == pair.Lower) {
            return pair.Upper;
        }
    }
    return code;
}

std::string Cp1252::ToLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(ToLower(static_cast<std::uint8_t>(c)));
    }
    return lower;
}

}  // namespace kelvaro
