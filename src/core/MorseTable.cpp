// The code table: the dot/dash pattern of every 8-bit character code.
#include "core/MorseTable.h"

#include <cassert>
#include <utility>

#include "core/Cp1252.h"

namespace kelvaro {

namespace {

struct InitialEntry {
    std::uint8_t Code;
    const char* Pattern;
};

/// Letters are listed once, in lower case; the constructor writes the upper case too.
// clang-format off
constexpr InitialEntry kInitialEntries[] = {
    {'a', ".-"},     {'b', "-..."},   {'c', "-.-."},   {'d', "-.."},    {'e', "."},
    {'f', "..-."},   {'g', "--."},    {'h', "...."},   {'i', ".."},     {'j', ".---"},
    {'k', "-.-"},    {'l', ".-.."},   {'m', "--"},     {'n', "-."},     {'o', "---"},
    {'p', ".--."},   {'q', "--.-"},   {'r', ".-."},    {'s', "..."},    {'t', "-"},
    {'u', "..-"},    {'v', "...-"},   {'w', ".--"},    {'x', "-..-"},   {'y', "-.--"},
    {'z', "--.."},   {'0', "-----"},  {'1', ".----"},  {'2', "..---"},  {'3', "...--"},
    {'4', "....-"},  {'5', "....."},  {'6', "-...."},  {'7', "--..."},  {'8', "---.."},
    {'9', "----."},
    {MorseTable::kProsignAs, ".-..."},
    {MorseTable::kProsignHh, "........"},
    {MorseTable::kProsignKn, "-.--."},
    {MorseTable::kProsignVa, "...-.-"},
    {'!', ".-..."},  {'"', ".-..-."}, {'\'', ".----."}, {'(', "-.--."},  {')', "-.--.-"},
    {'+', ".-.-."},  {',', "--..--"}, {'-', "-....-"},  {'.', ".-.-.-"}, {'/', "-..-."},
    {':', "---..."}, {';', "-.-.-."}, {'<', "........"}, {'=', "-...-"}, {'>', "...-.-"},
    {'?', "..--.."}, {'@', ".--.-."},
};
// clang-format on

}  // namespace

MorseTable::MorseTable() {
    for (const InitialEntry& entry : kInitialEntries) {
        Patterns[entry.Code] = entry.Pattern;
        Patterns[Cp1252::ToUpper(entry.Code)] = entry.Pattern;
    }
}

const std::string& MorseTable::Pattern(std::uint8_t code) const {
    return Patterns[code];
}

bool MorseTable::HasPattern(std::uint8_t code) const {
    return !Patterns[code].empty();
}

void MorseTable::SetPattern(std::uint8_t code, std::string pattern) {
    assert(IsPattern(pattern));
    Patterns[code] = std::move(pattern);
}

void MorseTable::Clear(std::uint8_t code) {
    Patterns[code].clear();
}

std::optional<std::uint8_t> MorseTable::FindByPattern(std::string_view pattern) const {
    if (pattern.empty()) {
        return std::nullopt;
    }
    for (std::size_t index = 0; index < kEntryCount; ++index) {
        if (Patterns[index] != pattern) {
            continue;
        }
        const auto code = static_cast<std::uint8_t>(index);
        const std::uint8_t lower = Cp1252::ToLower(code);
        return Patterns[lower] == pattern ? lower : code;
    }
    return std::nullopt;
}

bool MorseTable::IsPattern(std::string_view text) {
    return text.find_first_not_of(".-") == std::string_view::npos;
}

}  // namespace kelvaro
