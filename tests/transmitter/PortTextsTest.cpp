// The LPT address box texts, the LPTx address checks and the TX delay choices.
#include <gtest/gtest.h>

#include "transmitter/PortTexts.h"

namespace kelvaro {
namespace {

TEST(LptAddressBox, ShowsThreeUpperCaseDigits) {
    EXPECT_EQ(LptAddressBoxText(0x378), "[378h]");
    EXPECT_EQ(LptAddressBoxText(0x2bc), "[2BCh]");
    EXPECT_EQ(LptAddressBoxText(0), "[000h]");
    EXPECT_EQ(LptAddressBoxText(0xBC00), "[BC00h]");
}

TEST(LptAddressBox, TakesOnlyTheBracketedForm) {
    EXPECT_EQ(ParseLptAddressBoxText("[37Ah]"), 0x37A);
    EXPECT_EQ(ParseLptAddressBoxText("[2bch]"), 0x2BC);
    EXPECT_FALSE(ParseLptAddressBoxText("[37A]"));
    EXPECT_FALSE(ParseLptAddressBoxText("[37Gh]"));
    EXPECT_FALSE(ParseLptAddressBoxText("37Ah]"));
    EXPECT_FALSE(ParseLptAddressBoxText("[37Ah"));
    EXPECT_FALSE(ParseLptAddressBoxText("[BC00h]"));
    EXPECT_FALSE(ParseLptAddressBoxText(""));
}

TEST(LptxAddress, NeedsExactlyFourHexadecimalDigits) {
    EXPECT_EQ(CheckLptxText("BC00"), LptxCheck::Accepted);
    EXPECT_EQ(LptxAddressValue("bc00"), 0xBC00);
    EXPECT_EQ(CheckLptxText("378"), LptxCheck::NotFourCharacters);
    EXPECT_EQ(CheckLptxText(""), LptxCheck::NotFourCharacters);
    EXPECT_EQ(CheckLptxText("03780"), LptxCheck::NotFourCharacters);
    EXPECT_EQ(CheckLptxText("0X37"), LptxCheck::NotHexadecimal);
    EXPECT_EQ(CheckLptxText("12 4"), LptxCheck::NotHexadecimal);
    EXPECT_FALSE(LptxAddressValue("12G4"));
}

TEST(TxDelay, ChoicesRunFrom50To250Ms) {
    EXPECT_EQ(TxDelayMsForChoice(0), 50);
    EXPECT_EQ(TxDelayMsForChoice(1), 100);
    EXPECT_EQ(TxDelayMsForChoice(4), 250);
}

TEST(TxDelay, StoredMillisecondsRoundHalfToEven) {
    EXPECT_EQ(TxDelayChoiceForMs(100), 1);
    EXPECT_EQ(TxDelayChoiceForMs(250), 4);
    EXPECT_EQ(TxDelayChoiceForMs(125), 2);  // 1.5 -> 2
    EXPECT_EQ(TxDelayChoiceForMs(175), 2);  // 2.5 -> 2
    EXPECT_EQ(TxDelayChoiceForMs(74), 0);
    EXPECT_FALSE(TxDelayChoiceForMs(300));
    EXPECT_FALSE(TxDelayChoiceForMs(20));
}

}  // namespace
}  // namespace kelvaro
