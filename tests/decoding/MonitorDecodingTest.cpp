// Looking received patterns up, and the element echo line.
#include <gtest/gtest.h>

#include "core/MorseTable.h"
#include "decoding/MonitorDecoding.h"
#include "support/RecordingMonitorDisplay.h"

namespace kelvaro {
namespace {

class MonitorDecodingTest : public ::testing::Test {
protected:
    std::string Shown(std::string_view pattern, bool upper = false) {
        Display.Memo.clear();
        Shared.UpperCase = upper;
        Shared.DecodeAndShow(pattern);
        return Display.Memo;
    }

    MorseTable Table;
    test::RecordingMonitorDisplay Display;
    MonitorDecoding Shared{Table, Display};
};

TEST_F(MonitorDecodingTest, PrintsCharactersProsignsAndUnknownPatterns) {
    EXPECT_EQ(Shown(".-"), "a");
    EXPECT_EQ(Shown(".-", true), "A");
    EXPECT_EQ(Shown("-----", true), "0");
    EXPECT_EQ(Shown(".-.-.-"), ".");
    EXPECT_EQ(Shown("..--.."), "?");
    // The prosigns come before the punctuation that shares their patterns.
    EXPECT_EQ(Shown(".-..."), "[AS]");
    EXPECT_EQ(Shown("........"), "[HH]");
    EXPECT_EQ(Shown("-.--."), "[KN]");
    EXPECT_EQ(Shown("...-.-"), "[VA]");
    EXPECT_EQ(Shown("...-.-", true), "[VA]");
    EXPECT_EQ(Shown(".-.-.-.-"), "[.-.-.-.-]");
    EXPECT_EQ(Shown(""), "");
}

TEST_F(MonitorDecodingTest, LocalCharactersFollowTheCase) {
    Table.SetPattern(0xE9, "..-..");  // é
    Table.SetPattern(0xC9, "..-..");  // É
    EXPECT_EQ(Shown("..-.."), "\xE9");
    EXPECT_EQ(Shown("..-..", true), "\xC9");
}

TEST_F(MonitorDecodingTest, EveryCharacterEndsWithABlankOnTheEchoLine) {
    Shared.EchoElements(".");
    Shared.EchoElements("-");
    Shared.DecodeAndShow(".-");
    Shared.DecodeAndShow("");
    EXPECT_EQ(Display.Echo, ".-  ");
    EXPECT_EQ(Shared.EchoLine(), ".-  ");
}

TEST_F(MonitorDecodingTest, EchoLineKeepsAtMost101CharactersBeforeAnAppend) {
    for (int i = 0; i < 100; ++i) {
        Shared.EchoElements(i % 2 == 0 ? "." : "-");
    }
    ASSERT_EQ(Display.Echo.size(), 100u);
    Shared.EchoElements("x");  // 100 characters are kept whole
    ASSERT_EQ(Display.Echo.size(), 101u);
    EXPECT_EQ(Display.Echo.front(), '.');
    Shared.EchoElements("y");  // 101: the first goes
    ASSERT_EQ(Display.Echo.size(), 101u);
    EXPECT_EQ(Display.Echo.front(), '-');
    EXPECT_EQ(Display.Echo.back(), 'y');
    // Longer appends never make it grow.
    for (int i = 0; i < 500; ++i) {
        Shared.EchoElements(". ");
        ASSERT_EQ(Shared.EchoLine().size(), 101u);
    }
    Shared.EchoElements("--------");
    EXPECT_EQ(Shared.EchoLine().size(), 101u);
    EXPECT_EQ(Shared.EchoLine().substr(93), "--------");
}

TEST_F(MonitorDecodingTest, DropsTheEchoTail) {
    Shared.EchoElements("ab ..");
    Shared.DropEchoTail(2);
    EXPECT_EQ(Display.Echo, "ab ");
    Shared.DropEchoTail(10);
    EXPECT_EQ(Display.Echo, "");
    Shared.EchoElements("..");
    Shared.ClearEcho();
    EXPECT_EQ(Display.Echo, "");
}

}  // namespace
}  // namespace kelvaro
