// The random-character sets: their pool windows, the chosen set and the classes of characters.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/CharacterPool.h"

namespace kelvaro {

/// The checked set of the "Random characters" menu, numbered as the settings file stores it.
enum class RandomSource {
    Letters = 1,
    Figures = 2,
    Stops = 3,
    Local = 4,
    LettersFigures = 5,
    All = 6,
    Chosen = 7,
    Exam = 8,
    Vocabulary = 9,
};

/// What a group may mix: figures, lower-case letters and everything else.
enum class CharacterClass { Figure, Letter, Other };

struct PoolWindow {
    int Start = 0;
    int Size = 0;
};

/// Pool regions beyond the standard and local characters, and the rules that fill them.
class CharacterSets {
public:
    static constexpr int kChosenStart = 71;
    static constexpr int kMaxChosen = 70;
    static constexpr int kExtrasStart = 141;
    /// Characters a chosen set may hold besides the standard and local ones.
    static constexpr std::string_view kExtras = "!():;<>@";

    /// The window a set command gives. Vocabulary keeps the current window; Chosen uses
    /// chosenCount.
    static PoolWindow WindowFor(RandomSource source, int localCount, int chosenCount, PoolWindow current);

    /// Puts the extras into their slots (done once, when the pool is created).
    static void InstallExtras(CharacterPool& pool);

    /// Fills slots kChosenStart.. from the text: "A".."Z" fold to lower case; standard, local
    /// (in the first localCount slots after the standard ones) and extra characters are kept,
    /// a character typed twice takes two slots; anything else is dropped. At most kMaxChosen
    /// characters are read. Returns the number of slots filled.
    static int BuildChosenSet(CharacterPool& pool, std::string_view text, int localCount);

    static CharacterClass ClassOf(std::uint8_t code);
};

}  // namespace kelvaro
