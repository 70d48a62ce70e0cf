// The reference lists: their rows, and what a click on a row plays.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/MorseTable.h"
#include "practice/ReferenceLists.h"

namespace kelvaro {
namespace {

TEST(ReferenceListsTest, AlphabetRowsShowTheirCharacterWithTheCodeTheTablePlays) {
    const auto& rows = ReferenceLists::AlphabetCharacterRows();
    EXPECT_EQ(rows[2], " A  .-    Di dah");
    EXPECT_EQ(rows[27], " Z  --..  Dah dah di dit");
    EXPECT_EQ(rows[64], " kn -.--.  Dah di dah dah dit");
    EXPECT_EQ(rows[66], " as .-...  Di dah di di dit");
    EXPECT_EQ(rows[68], " hh ........ Di di di di di di di dit");
    EXPECT_EQ(rows[70], " va ...-.- Di di di dah di dah");
    EXPECT_EQ(rows[72], " @  .--.-. Di dah dah di dah dit");

    // Every row names a pattern that the code table plays for what the row plays.
    const MorseTable table;
    int characterRows = 0;
    for (int row = 0; row < ReferenceLists::kAlphabetRows; ++row) {
        const std::string& entry = rows[static_cast<std::size_t>(row)];
        const auto played = ReferenceLists::AlphabetPlayText(row, entry);
        if (!played) {
            EXPECT_TRUE(entry.empty()) << row;
            continue;
        }
        ++characterRows;
        ASSERT_EQ(played->size(), 1u) << entry;
        const std::string pattern = entry.substr(4, entry.find(' ', 4) - 4);
        EXPECT_EQ(table.Pattern(static_cast<std::uint8_t>(played->front())), pattern) << entry;
        const std::size_t spokenWords = static_cast<std::size_t>(
            std::count(entry.begin() + static_cast<long>(4 + pattern.size()), entry.end(), ' '));
        EXPECT_GE(spokenWords, 1u) << entry;
    }
    EXPECT_EQ(characterRows, 26 + 10 + 8 + 5);
    for (int heading : ReferenceLists::kAlphabetHeadingRows) {
        EXPECT_TRUE(rows[static_cast<std::size_t>(heading)].empty()) << heading;
    }
}

TEST(ReferenceListsTest, AlphabetClicksPlayCharactersProsignsAndShortcutTexts) {
    EXPECT_FALSE(ReferenceLists::AlphabetPlayText(0, "       LETTERS"));
    EXPECT_FALSE(ReferenceLists::AlphabetPlayText(67, "           (=Wait)"));
    EXPECT_FALSE(ReferenceLists::AlphabetPlayText(43, ""));
    EXPECT_FALSE(ReferenceLists::AlphabetPlayText(43, " "));
    EXPECT_EQ(ReferenceLists::AlphabetPlayText(66, " as .-...  Di dah di di dit"), std::string(1, '\x01'));
    EXPECT_EQ(ReferenceLists::AlphabetPlayText(68, " hh ........ Di di di di di di di dit"),
              std::string(1, '\x02'));
    EXPECT_EQ(ReferenceLists::AlphabetPlayText(64, " kn -.--.  Dah di dah dah dit"), std::string(1, '\x03'));
    EXPECT_EQ(ReferenceLists::AlphabetPlayText(70, " va ...-.- Di di di dah di dah"), std::string(1, '\x04'));
    EXPECT_EQ(ReferenceLists::AlphabetPlayText(2, " A  .-    Di dah"), "A");
    EXPECT_EQ(ReferenceLists::AlphabetPlayText(97, " \xE9  ..-..  e acute"), "\xE9");
    // The shortcut rows play their text, not their character.
    EXPECT_EQ(ReferenceLists::AlphabetPlayText(128, " # = CQ TEST"), "CQ TEST");
    EXPECT_FALSE(ReferenceLists::AlphabetPlayText(128, " # = "));
    EXPECT_FALSE(ReferenceLists::AlphabetPlayText(125, "       ========="));
    EXPECT_FALSE(ReferenceLists::AlphabetPlayText(-1, " A  .-    Di dah"));
}

TEST(ReferenceListsTest, QCodesAndAbbreviationsPlayTheCodeWithTheBlankAfterIt) {
    const auto& codes = ReferenceLists::QCodeRows('E');
    EXPECT_EQ(codes.front(), "QRA = to Send location or station name");
    EXPECT_EQ(codes.back(), "QTR = to Send Time");
    for (std::string_view row : codes) {
        const auto played = ReferenceLists::QCodePlayText(row);
        ASSERT_TRUE(played);
        EXPECT_EQ(played->size(), 4u);
        EXPECT_EQ(played->back(), ' ');
        EXPECT_EQ(row.substr(3, 3), " = ");
    }
    EXPECT_FALSE(ReferenceLists::QCodePlayText("QR"));

    const auto& abbreviations = ReferenceLists::AbbreviationRows('E');
    EXPECT_EQ(abbreviations[4], " ABT : about");
    EXPECT_EQ(abbreviations[54], " ");
    EXPECT_EQ(abbreviations[57], " BCP : beaucoup (many)");
    int playable = 0;
    for (std::string_view row : abbreviations) {
        playable += ReferenceLists::AbbreviationPlayText(row).has_value() ? 1 : 0;
    }
    EXPECT_EQ(playable, 50 + 7);
    EXPECT_EQ(ReferenceLists::AbbreviationPlayText(" RPT AA : repeat all after"), "RPT AA ");
    EXPECT_EQ(ReferenceLists::AbbreviationPlayText(" XYL :ex-young lady, wife"), "XYL ");
    EXPECT_EQ(ReferenceLists::AbbreviationPlayText(" 5NN : 599"), "5NN ");
    EXPECT_FALSE(ReferenceLists::AbbreviationPlayText(abbreviations[0]));
    EXPECT_FALSE(ReferenceLists::AbbreviationPlayText(" no colon here"));
    EXPECT_FALSE(ReferenceLists::AbbreviationPlayText(""));
    // Other languages show the English rows until they have their own.
    EXPECT_EQ(&ReferenceLists::QCodeRows('K'), &codes);
}

}  // namespace
}  // namespace kelvaro
