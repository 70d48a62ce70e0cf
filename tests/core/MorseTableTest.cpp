// Tests of the code table: its starting contents, edits and the decoders' reverse lookup.
#include "core/MorseTable.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace kelvaro {
namespace {

TEST(MorseTableContents, OnlyTheListedCharactersHaveACode) {
    const MorseTable table;
    int withCode = 0;
    for (int code = 0; code < 256; ++code) {
        withCode += table.HasPattern(static_cast<std::uint8_t>(code)) ? 1 : 0;
    }
    // 26 letters in two cases, 10 figures, 4 prosigns and 17 signs.
    EXPECT_EQ(withCode, 52 + 10 + 4 + 17);
    for (int code : std::initializer_list<int>{0, 5, ' ', '#', '*', '[', '_', 0xC9, 0xE9, 0xFF}) {
        EXPECT_EQ(table.Pattern(static_cast<std::uint8_t>(code)), "") << code;
    }
    EXPECT_EQ(table.Pattern('Q'), table.Pattern('q'));
    EXPECT_EQ(table.Pattern('9'), "----.");
    EXPECT_EQ(table.Pattern('@'), ".--.-.");
}

TEST(MorseTableContents, KeyboardSignsShareTheProsignPatterns) {
    const MorseTable table;
    EXPECT_EQ(table.Pattern('!'), ".-...");
    EXPECT_EQ(table.Pattern(MorseTable::kProsignAs), ".-...");
    EXPECT_EQ(table.Pattern('<'), table.Pattern(MorseTable::kProsignHh));
    EXPECT_EQ(table.Pattern('('), "-.--.");
    EXPECT_EQ(table.Pattern(MorseTable::kProsignKn), "-.--.");
    EXPECT_EQ(table.Pattern('>'), table.Pattern(MorseTable::kProsignVa));
}

TEST(MorseTableEdit, EditsTouchOneEntryOnly) {
    MorseTable table;
    table.SetPattern(0xE9, "..-..");
    EXPECT_FALSE(table.HasPattern(0xC9));
    table.Clear('a');
    EXPECT_FALSE(table.HasPattern('a'));
    EXPECT_EQ(table.Pattern('A'), ".-");
}

TEST(MorseTableReverse, ProsignsComeBackAsControlCodesAndLettersInLowerCase) {
    const MorseTable table;
    EXPECT_EQ(table.FindByPattern(".-..."), MorseTable::kProsignAs);
    EXPECT_EQ(table.FindByPattern("........"), MorseTable::kProsignHh);
    EXPECT_EQ(table.FindByPattern("-.--."), MorseTable::kProsignKn);
    EXPECT_EQ(table.FindByPattern("...-.-"), MorseTable::kProsignVa);
    EXPECT_EQ(table.FindByPattern(".-"), 'a');
    EXPECT_EQ(table.FindByPattern("-.--.-"), ')');
}

TEST(MorseTableReverse, MissingAndEmptyPatternsFindNothing) {
    const MorseTable table;
    EXPECT_EQ(table.FindByPattern(""), std::nullopt);
    EXPECT_EQ(table.FindByPattern("......."), std::nullopt);
    EXPECT_EQ(table.FindByPattern("........."), std::nullopt);
}

TEST(MorseTableReverse, CaseRuleHoldsForAccentedAndLoneUpperCaseLetters) {
    MorseTable table;
    table.SetPattern(0xC9, "..-..");
    table.SetPattern(0xE9, "..-..");
    EXPECT_EQ(table.FindByPattern("..-.."), 0xE9);
    table.Clear('q');
    EXPECT_EQ(table.FindByPattern("--.-"), 'Q');
}

TEST(MorseTableReverse, EveryEntryDecodesToACharacterWithTheSamePattern) {
    const MorseTable table;
    for (int code = 0; code < 256; ++code) {
        const std::string& pattern = table.Pattern(static_cast<std::uint8_t>(code));
        if (pattern.empty()) {
            continue;
        }
        const auto found = table.FindByPattern(pattern);
        ASSERT_TRUE(found.has_value()) << code;
        EXPECT_EQ(table.Pattern(*found), pattern) << code;
        // The lowest code, or the lower-case form of an upper-case letter.
        EXPECT_TRUE(*found <= code || *found == code + 32) << code;
    }
}

}  // namespace
}  // namespace kelvaro
