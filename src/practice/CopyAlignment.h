// What the student copied, lined up against what was sent: each error marked, and the score.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

enum class CopyMark { Right, Wrong, Missed, Extra };

/// One step of the alignment. Sent is 0 for an extra copied character, Copied is 0 for a
/// missed one. SentIndex is the position of the sent character in the sent text as given
/// (blanks included), or of the sent character the extra one follows (-1: before the first).
struct AlignedCharacter {
    std::uint8_t Sent = 0;
    std::uint8_t Copied = 0;
    CopyMark Mark = CopyMark::Right;
    int SentIndex = -1;
};

struct CopyScore {
    /// Sent characters, blanks not counted.
    int Sent = 0;
    int Right = 0;
    int Wrong = 0;
    int Missed = 0;
    int Extra = 0;
    int Errors() const { return Wrong + Missed + Extra; }
    /// Right / Sent in percent; 0 when nothing was sent.
    double AccuracyPercent() const { return Sent == 0 ? 0.0 : 100.0 * Right / Sent; }
    double ErrorsPerCharacter() const { return Sent == 0 ? 0.0 : static_cast<double>(Errors()) / Sent; }
};

struct CopyCheck {
    std::vector<AlignedCharacter> Steps;
    CopyScore Score;
};

/// Lines up the copy with the sent text (Windows-1252 bytes) by the least number of
/// substitutions, omissions and insertions. Blanks (spaces, tabs, line breaks) are ignored on
/// both sides, so a group copied in two pieces or two groups run together cost nothing, and
/// letter case never counts. Among alignments of equal cost, a character copied right is
/// preferred, then a wrong one, then a missed one. O(sent x copied) time and memory.
CopyCheck AlignCopy(std::string_view sent, std::string_view copied);

}  // namespace kelvaro
