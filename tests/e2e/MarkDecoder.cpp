// Reads Morse text back from the tone marks of a recording, and finds the holes in the sound.
#include "e2e/MarkDecoder.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <utility>

#include "core/AudioFormat.h"
#include "core/ElementTiming.h"
#include "core/MorseTable.h"

namespace kelvaro {

namespace {

double FramesToMs(int frames) {
    return frames * 1000.0 / kFrameRateHz;
}

std::string Note(const char* format, double a, double b, double c) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

}  // namespace

ElementLengths ElementLengths::For(int speedWpm) {
    const ElementTiming timing = ElementTiming::For(speedWpm, 3, false);
    ElementLengths lengths;
    lengths.DotMs = FramesToMs(timing.DotFrames);
    lengths.DashMs = FramesToMs(timing.DashFrames);
    lengths.UnitMs = FramesToMs(timing.ElementGapFrames);
    return lengths;
}

DecodedMarks DecodeMarks(const std::vector<ToneMark>& marks, const ElementLengths& lengths,
                         const MorseTable& table) {
    DecodedMarks decoded;
    std::string pattern;
    const auto endCharacter = [&] {
        if (pattern.empty()) {
            return;
        }
        const auto code = table.FindByPattern(pattern);
        decoded.Text += code ? static_cast<char>(*code) : '?';
        pattern.clear();
    };
    const double dashThresholdMs = (lengths.DotMs + lengths.DashMs) / 2.0;
    // A gap this short can only be a break inside an element; its two pieces are not
    // counted again as tones of the wrong length.
    std::vector<bool> splitBefore(marks.size(), false);
    for (std::size_t i = 1; i < marks.size(); ++i) {
        const double gapMs = marks[i].StartMs - (marks[i - 1].StartMs + marks[i - 1].LengthMs);
        if (gapMs < lengths.UnitMs - lengths.ToleranceMs) {
            splitBefore[i] = true;
            ++decoded.Holes;
            decoded.HoleNotes.push_back(
                Note("gap of %.1f ms at %.1f ms (the silence after an element is %.1f ms)", gapMs,
                     marks[i].StartMs - gapMs, lengths.UnitMs));
        }
    }
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const ToneMark& mark = marks[i];
        if (i > 0) {
            const double gapMs = mark.StartMs - (marks[i - 1].StartMs + marks[i - 1].LengthMs);
            if (gapMs >= 5.0 * lengths.UnitMs) {
                endCharacter();
                decoded.Text += ' ';
            } else if (gapMs >= 2.0 * lengths.UnitMs) {
                endCharacter();
            }
        }
        const bool isDash = mark.LengthMs >= dashThresholdMs;
        pattern += isDash ? '-' : '.';
        const double renderedMs = isDash ? lengths.DashMs : lengths.DotMs;
        const bool split = splitBefore[i] || (i + 1 < marks.size() && splitBefore[i + 1]);
        if (!split && std::abs(mark.LengthMs - renderedMs) > lengths.ToleranceMs) {
            ++decoded.Holes;
            decoded.HoleNotes.push_back(Note("tone of %.1f ms at %.1f ms (the element is %.1f ms)",
                                             mark.LengthMs, mark.StartMs, renderedMs));
        }
    }
    endCharacter();
    return decoded;
}

std::string NormalizeExpectedText(const std::string& text) {
    std::string normalized;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\t';
        if (blank) {
            if (!normalized.empty() && normalized.back() != ' ') {
                normalized += ' ';
            }
            continue;
        }
        normalized += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    while (!normalized.empty() && normalized.back() == ' ') {
        normalized.pop_back();
    }
    return normalized;
}

int CharacterErrors(const std::string& expected, const std::string& decoded) {
    std::vector<int> previous(decoded.size() + 1);
    std::vector<int> current(decoded.size() + 1);
    for (std::size_t j = 0; j <= decoded.size(); ++j) {
        previous[j] = static_cast<int>(j);
    }
    for (std::size_t i = 1; i <= expected.size(); ++i) {
        current[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= decoded.size(); ++j) {
            const int changed = previous[j - 1] + (expected[i - 1] == decoded[j - 1] ? 0 : 1);
            current[j] = std::min({changed, previous[j] + 1, current[j - 1] + 1});
        }
        std::swap(previous, current);
    }
    return previous[decoded.size()];
}

std::string FirstDifference(const std::string& expected, const std::string& decoded) {
    if (expected == decoded) {
        return "";
    }
    const auto [e, d] = std::mismatch(expected.begin(), expected.end(), decoded.begin(), decoded.end());
    const auto at = static_cast<std::size_t>(e - expected.begin());
    const std::size_t from = at >= 12 ? at - 12 : 0;
    return "differs at character " + std::to_string(at + 1) + ": expected \"" + expected.substr(from, 30) +
           "\", decoded \"" + decoded.substr(from, 30) + "\"";
}

}  // namespace kelvaro
