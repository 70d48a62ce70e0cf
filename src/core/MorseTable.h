// The code table: the dot/dash pattern of every 8-bit character code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvaro {

/// 256 entries indexed directly by the Windows-1252 character code, each a string of '.'
/// (dot) and '-' (dash); an empty entry means the character has no Morse code. There is no
/// case folding: an upper-case letter and its lower-case form have separate entries holding
/// the same pattern. Control codes 1 to 4 hold the prosigns AS, HH, KN and VA, which "!",
/// "<", "(" and ">" share. The blank is not in the table; players treat it as the word space.
/// Window thread only.
class MorseTable {
public:
    static constexpr std::size_t kEntryCount = 256;
    static constexpr std::uint8_t kProsignAs = 1;
    static constexpr std::uint8_t kProsignHh = 2;
    static constexpr std::uint8_t kProsignKn = 3;
    static constexpr std::uint8_t kProsignVa = 4;

    /// A table with the standard letters (both cases), figures, prosigns and punctuation.
    MorseTable();

    /// The pattern of the code; an empty string when the code has none.
    const std::string& Pattern(std::uint8_t code) const;
    bool HasPattern(std::uint8_t code) const;
    /// The pattern must hold only '.' and '-'; an empty pattern clears the entry.
    void SetPattern(std::uint8_t code, std::string pattern);
    void Clear(std::uint8_t code);

    /// The character a received pattern stands for, or nothing when no entry holds it (an
    /// empty pattern never matches). When several entries share the pattern, the lowest code
    /// wins, except that an upper-case letter gives way to its lower-case form when that form
    /// holds the same pattern. So the prosigns come back as control codes 1 to 4 (not "!",
    /// "<", "(", ">"), and letters, local accented ones included, come back in lower case.
    std::optional<std::uint8_t> FindByPattern(std::string_view pattern) const;

    /// True when the text holds only '.' and '-' (the empty text included).
    static bool IsPattern(std::string_view text);

private:
    std::array<std::string, kEntryCount> Patterns;
};

}  // namespace kelvaro
