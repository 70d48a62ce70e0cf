// Reads Morse text back from the tone marks of a recording, and finds the holes in the sound.
#pragma once

#include <string>
#include <vector>

#include "e2e/WavToneAnalyzer.h"

namespace kelvaro {

class MorseTable;

/// The lengths the program renders at one speed, in milliseconds.
struct ElementLengths {
    double DotMs = 0.0;
    double DashMs = 0.0;
    /// The silence after each element, and the unit that character and word gaps count.
    double UnitMs = 0.0;
    /// How far a measured length may be from the rendered one (the tone's ramps, the envelope).
    double ToleranceMs = 4.0;

    /// Plain timing at speedWpm with the usual 3:1 weight.
    static ElementLengths For(int speedWpm);
};

struct DecodedMarks {
    /// Letters in lower case, one blank per word space; "?" for a pattern that is no character.
    std::string Text;
    /// Tones shorter (or longer) than the element they stand for, and gaps shorter than the
    /// silence after an element: each is a stretch where the sound broke off or ran on.
    int Holes = 0;
    /// One line per hole, for a person reading a log: where it is and what was measured.
    std::vector<std::string> HoleNotes;
};

/// Marks closer than two units apart belong to one character; five units or more end a word.
DecodedMarks DecodeMarks(const std::vector<ToneMark>& marks, const ElementLengths& lengths,
                         const MorseTable& table);

/// The text as it should come back: lower case, runs of blanks as one, none at either end.
std::string NormalizeExpectedText(const std::string& text);

/// How many characters were lost, added or changed on the way: the edit distance.
int CharacterErrors(const std::string& expected, const std::string& decoded);

/// Empty when decoded equals expected, otherwise the first difference with some context.
std::string FirstDifference(const std::string& expected, const std::string& decoded);

}  // namespace kelvaro
