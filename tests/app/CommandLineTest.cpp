// The command line: language switches, serial ports, the speed parameter, the three-parameter limit.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace kelvaro {
namespace {

TEST(CommandLineTest, SwitchesMatchWholeParametersInAnyCase) {
    const auto parameters = ParseCommandLine({"/f", "/COM2", "/k"});
    ASSERT_EQ(parameters.size(), 3u);
    EXPECT_EQ(parameters[0].SelectLanguage, Language::French);
    EXPECT_EQ(parameters[1].SerialPortNumber, 2);
    EXPECT_EQ(parameters[2].SelectLanguage, Language::Polish);

    const auto partial = ParseCommandLine({"/FR", "/COM0", "/COM10"});
    for (const auto& parameter : partial) {
        EXPECT_FALSE(parameter.SelectLanguage);
        EXPECT_FALSE(parameter.SerialPortNumber);
        EXPECT_FALSE(parameter.SpeedWpm);
    }
}

TEST(CommandLineTest, SpeedIsAnyLetterEqualsAWholeNumber) {
    EXPECT_EQ(ParseCommandLine({"w=25"})[0].SpeedWpm, 25);
    EXPECT_EQ(ParseCommandLine({"S=+8"})[0].SpeedWpm, 8);
    EXPECT_FALSE(ParseCommandLine({"w=2.5"})[0].SpeedWpm);
    EXPECT_FALSE(ParseCommandLine({"w="})[0].SpeedWpm);
    EXPECT_FALSE(ParseCommandLine({"ww=25"})[0].SpeedWpm);
}

TEST(CommandLineTest, OnlyTheFirstThreeParametersCount) {
    const auto parameters = ParseCommandLine({"/E", "x", "y", "/F"});
    ASSERT_EQ(parameters.size(), 3u);
    EXPECT_EQ(parameters[0].SelectLanguage, Language::English);
    EXPECT_FALSE(parameters[2].SelectLanguage);
    EXPECT_EQ(ParseCommandLine({}).size(), 3u);  // absent parameters still take their turn
}

}  // namespace
}  // namespace kelvaro
