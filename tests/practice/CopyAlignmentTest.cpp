// Lining up a copy with the sent groups: skipped and split groups, inserted characters, case and
// blanks, a copy that runs on past the text.
#include <gtest/gtest.h>

#include <string>

#include "practice/CopyAlignment.h"

namespace kelvaro {
namespace {

/// The alignment as one letter per step: R right, W wrong, M missed, X extra.
std::string Marks(const CopyCheck& check) {
    std::string marks;
    for (const AlignedCharacter& step : check.Steps) {
        marks += "RWMX"[static_cast<int>(step.Mark)];
    }
    return marks;
}

struct AlignmentCase {
    const char* Name;
    const char* Sent;
    const char* Copied;
    const char* Marks;
    int Right;
    int Wrong;
    int Missed;
    int Extra;
};

class AlignmentTable : public ::testing::TestWithParam<AlignmentCase> {};

TEST_P(AlignmentTable, MarksAndScore) {
    const AlignmentCase& c = GetParam();
    const CopyCheck check = AlignCopy(c.Sent, c.Copied);
    EXPECT_EQ(Marks(check), c.Marks);
    EXPECT_EQ(check.Score.Right, c.Right);
    EXPECT_EQ(check.Score.Wrong, c.Wrong);
    EXPECT_EQ(check.Score.Missed, c.Missed);
    EXPECT_EQ(check.Score.Extra, c.Extra);
    EXPECT_EQ(check.Score.Sent, c.Right + c.Wrong + c.Missed);
}

INSTANTIATE_TEST_SUITE_P(
    Copies, AlignmentTable,
    ::testing::Values(
        AlignmentCase{"Perfect", "ABCDE FGHIJ", "abcde fghij", "RRRRRRRRRR", 10, 0, 0, 0},
        AlignmentCase{"SkippedMiddleGroup", "KMRST EEXNP QWZ0A", "kmrst qwz0a", "RRRRRMMMMMRRRRR", 10, 0, 5,
                      0},
        AlignmentCase{"SkippedFirstGroup", "QQQQQ ABCDE", "abcde", "MMMMMRRRRR", 5, 0, 5, 0},
        AlignmentCase{"SplitGroup", "ENDX0 TAWP1", "en dx0 ta wp1", "RRRRRRRRRR", 10, 0, 0, 0},
        AlignmentCase{"GroupsRunTogether", "ENDX0 TAWP1", "endx0tawp1", "RRRRRRRRRR", 10, 0, 0, 0},
        AlignmentCase{"InsertedCharacter", "ABCDE FGHIJ", "abcxde fghij", "RRRXRRRRRRR", 10, 0, 0, 1},
        AlignmentCase{"WrongCharacter", "ABCDE", "abzde", "RRWRR", 4, 1, 0, 0},
        AlignmentCase{"CaseAndBlanks", "AbC dE\nFG", "  abc\tDE  fg \n", "RRRRRRR", 7, 0, 0, 0},
        AlignmentCase{"CopyLongerThanText", "ABC DE", "abc de fgh", "RRRRRXXX", 5, 0, 0, 3},
        AlignmentCase{"NothingCopied", "AB CD", "", "MMMM", 0, 0, 4, 0},
        AlignmentCase{"NothingSent", "", "ab", "XX", 0, 0, 0, 2},
        AlignmentCase{"WesternLettersIgnoreCase", "\xC9T\xC9", "\xE9t\xE9", "RRR", 3, 0, 0, 0}),
    [](const ::testing::TestParamInfo<AlignmentCase>& info) { return std::string(info.param.Name); });

TEST(CopyAlignment, StepsPointIntoTheSentTextAsGiven) {
    const CopyCheck check = AlignCopy("AB CD", "xabd");
    ASSERT_EQ(Marks(check), "XRRMR");
    EXPECT_EQ(check.Steps[0].SentIndex, -1);  // extra before the first sent character
    EXPECT_EQ(check.Steps[0].Copied, 'x');
    EXPECT_EQ(check.Steps[1].SentIndex, 0);
    EXPECT_EQ(check.Steps[3].SentIndex, 3);  // the missed C, after the blank
    EXPECT_EQ(check.Steps[3].Sent, 'c');
    EXPECT_EQ(check.Steps[3].Copied, 0);
    EXPECT_EQ(check.Steps[4].SentIndex, 4);
}

TEST(CopyAlignment, ScoreCountsEveryErrorPerSentCharacter) {
    const CopyCheck check = AlignCopy("ABCDE FGHIJ", "abxde ghijkl");
    // C->x wrong, F missed, k and l extra.
    EXPECT_EQ(check.Score.Sent, 10);
    EXPECT_EQ(check.Score.Right, 8);
    EXPECT_EQ(check.Score.Errors(), 4);
    EXPECT_DOUBLE_EQ(check.Score.AccuracyPercent(), 80.0);
    EXPECT_DOUBLE_EQ(check.Score.ErrorsPerCharacter(), 0.4);
    EXPECT_DOUBLE_EQ(AlignCopy("", "").Score.AccuracyPercent(), 0.0);
}

}  // namespace
}  // namespace kelvaro
