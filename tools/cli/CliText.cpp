// The text kelvaro-cli is given, split into what has a Morse code and what is left out.
#include "cli/CliText.h"

#include <algorithm>
#include <optional>

#include "app/TextEncoding.h"

namespace kelvaro::cli {

namespace {

std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    return (lead & 0xF0) == 0xE0 ? 3 : 4;
}

}  // namespace

PlayableText SplitPlayable(std::string_view utf8, const MorseTable& table) {
    PlayableText result;
    while (!utf8.empty()) {
        const std::string_view character =
            utf8.substr(0, std::min(utf8.size(), SequenceLength(static_cast<unsigned char>(utf8[0]))));
        utf8.remove_prefix(character.size());
        if (character == "\t" || character == "\r" || character == "\n" || character == " ") {
            result.Codes += ' ';
            continue;
        }
        const std::optional<std::string> code = Utf8ToCp1252(character);
        if (code && code->size() == 1 && table.HasPattern(static_cast<std::uint8_t>((*code)[0]))) {
            result.Codes += *code;
            result.HasMorse = true;
            continue;
        }
        if (std::find(result.Dropped.begin(), result.Dropped.end(), character) == result.Dropped.end()) {
            result.Dropped.emplace_back(character);
        }
    }
    return result;
}

std::string DroppedNotice(const PlayableText& text) {
    if (text.Dropped.empty()) {
        return {};
    }
    std::string notice = "no Morse code for:";
    for (const std::string& character : text.Dropped) {
        notice += " " + character;
    }
    return notice + " (left out)";
}

}  // namespace kelvaro::cli
