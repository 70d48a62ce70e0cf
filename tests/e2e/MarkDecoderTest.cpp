// Reading text back from tone marks: characters and words from the gaps, holes from the lengths.
#include "e2e/MarkDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/MorseTable.h"

namespace kelvaro {
namespace {

/// The marks a clean recording of text would give at the given lengths, from startMs on.
std::vector<ToneMark> MarksFor(const std::string& text, const ElementLengths& lengths,
                               const MorseTable& table) {
    std::vector<ToneMark> marks;
    double atMs = 500.0;
    for (const char c : text) {
        if (c == ' ') {
            atMs += 4.0 * lengths.UnitMs;
            continue;
        }
        for (const char element : table.Pattern(static_cast<std::uint8_t>(c))) {
            const double lengthMs = element == '-' ? lengths.DashMs : lengths.DotMs;
            marks.push_back({atMs, lengthMs});
            atMs += lengthMs + lengths.UnitMs;
        }
        atMs += 2.0 * lengths.UnitMs;
    }
    return marks;
}

class MarkDecoderTest : public ::testing::Test {
protected:
    MorseTable Table;
    ElementLengths Lengths = ElementLengths::For(20);
};

TEST_F(MarkDecoderTest, CleanMarksGiveTheTextBackWithoutHoles) {
    EXPECT_NEAR(Lengths.DashMs, 3.0 * Lengths.DotMs, 0.1);
    EXPECT_NEAR(Lengths.UnitMs, Lengths.DotMs, 0.1);
    const std::string text = NormalizeExpectedText("  CQ de F5ABC  1234567890 paris ");
    EXPECT_EQ(text, "cq de f5abc 1234567890 paris");
    auto marks = MarksFor(text, Lengths, Table);
    // Edges within the tolerance, and a longer silence between characters, are no holes.
    marks[0].LengthMs += 3.0;
    for (std::size_t i = 8; i < marks.size(); ++i) {  // from the d on
        marks[i].StartMs += 40.0;
    }
    const DecodedMarks decoded = DecodeMarks(marks, Lengths, Table);
    EXPECT_EQ(decoded.Text, text);
    EXPECT_EQ(decoded.Holes, 0) << (decoded.HoleNotes.empty() ? "" : decoded.HoleNotes.front());
    EXPECT_EQ(FirstDifference(text, decoded.Text), "");
}

TEST_F(MarkDecoderTest, ABreakInsideAnElementOrAShortenedToneIsAHole) {
    auto marks = MarksFor("jumps", Lengths, Table);  // j = .---
    // 12 ms of silence inside the first dash of the j: two tones 8 ms apart.
    const ToneMark dash = marks[1];
    marks[1] = {dash.StartMs, 70.0};
    marks.insert(marks.begin() + 2, {dash.StartMs + 82.0, dash.LengthMs - 82.0});
    // The m's last dash loses 30 ms at its end.
    marks[8].LengthMs -= 30.0;
    const DecodedMarks decoded = DecodeMarks(marks, Lengths, Table);
    EXPECT_EQ(decoded.Holes, 2);
    ASSERT_EQ(decoded.HoleNotes.size(), 2u);
    EXPECT_NE(decoded.HoleNotes[0].find("gap of 12.0 ms"), std::string::npos) << decoded.HoleNotes[0];
    EXPECT_EQ(
        decoded.HoleNotes[1].rfind("tone of " + std::to_string(static_cast<int>(Lengths.DashMs - 30.0)), 0),
        0u)
        << decoded.HoleNotes[1];
    EXPECT_NE(decoded.Text, "jumps");
    EXPECT_NE(FirstDifference("jumps", decoded.Text), "");
}

TEST_F(MarkDecoderTest, CharacterErrorsCountLostAddedAndChangedCharacters) {
    EXPECT_EQ(CharacterErrors("paris paris", "paris paris"), 0);
    EXPECT_EQ(CharacterErrors("paris paris", "pris paris"), 1);
    EXPECT_EQ(CharacterErrors("paris paris", "paris parist"), 1);
    EXPECT_EQ(CharacterErrors("2uups", "jumps"), 2);
    EXPECT_EQ(CharacterErrors("", "abc"), 3);
}

}  // namespace
}  // namespace kelvaro
