// Letter case of the program's 8-bit Windows-1252 character codes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvaro {

/// The program's text is a std::string of Windows-1252 bytes. Case is known for the ASCII
/// letters and the Western European letters: 0xC0-0xDE <-> 0xE0-0xFE (except the signs
/// 0xD7 and 0xF7), Š/š (0x8A/0x9A), Œ/œ (0x8C/0x9C), Ž/ž (0x8E/0x9E) and Ÿ/ÿ (0x9F/0xFF).
/// Every other code, ß (0xDF) included, has no other case and maps to itself.
class Cp1252 {
public:
    Cp1252() = delete;

    static std::uint8_t ToLower(std::uint8_t code);
    static std::uint8_t ToUpper(std::uint8_t code);
    /// Every byte of the text through ToLower.
    static std::string ToLower(std::string_view text);
};

}  // namespace kelvaro
