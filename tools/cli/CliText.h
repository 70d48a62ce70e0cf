// The text kelvaro-cli is given, split into what has a Morse code and what is left out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/MorseTable.h"

namespace kelvaro::cli {

struct PlayableText {
    /// The text in the program's 8-bit codes, every character with a Morse code or a blank;
    /// tabs and line ends become blanks.
    std::string Codes;
    /// The characters left out, in UTF-8, each once, in the order they first appear.
    std::vector<std::string> Dropped;
    /// At least one character will sound.
    bool HasMorse = false;
};

/// utf8 must be valid UTF-8 (the option parser checked it).
PlayableText SplitPlayable(std::string_view utf8, const MorseTable& table);

/// "no Morse code for: é ü ß (left out)"; empty when nothing was dropped.
std::string DroppedNotice(const PlayableText& text);

}  // namespace kelvaro::cli
