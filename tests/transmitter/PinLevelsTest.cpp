// The CW pin's control bit keyed and at rest, for every pin and both logics.
#include <gtest/gtest.h>

#include <tuple>

#include "transmitter/PinLevels.h"

namespace kelvaro {
namespace {

struct PinCase {
    int Choice;
    std::uint16_t Bit;
    bool SetKeyedNegative;
    bool SetKeyedPositive;
    bool SetIdleNegative;
    bool SetIdlePositive;
};

class PinLevelsTest : public ::testing::TestWithParam<PinCase> {};

TEST_P(PinLevelsTest, EachLevelTouchesOnlyThePinsBit) {
    const PinCase pin = GetParam();
    EXPECT_EQ(PinControlBit(pin.Choice), pin.Bit);
    // From an all-clear and an all-set register the other bits must stay as they were.
    for (std::uint16_t start : {std::uint16_t{0x00}, std::uint16_t{0xFF}}) {
        const auto expect = [&](bool negative, bool keyed, bool set) {
            const std::uint16_t written = PinControlValue(start, pin.Choice, negative, keyed);
            EXPECT_EQ(written & ~pin.Bit & 0xFF, start & ~pin.Bit & 0xFF);
            EXPECT_EQ((written & pin.Bit) != 0, set)
                << "pin choice " << pin.Choice << " negative " << negative << " keyed " << keyed;
        };
        expect(true, true, pin.SetKeyedNegative);
        expect(false, true, pin.SetKeyedPositive);
        expect(true, false, pin.SetIdleNegative);
        expect(false, false, pin.SetIdlePositive);
    }
}

INSTANTIATE_TEST_SUITE_P(AllFourPins, PinLevelsTest,
                         ::testing::Values(PinCase{0, 0x1, true, false, false, true},    // pin 1
                                           PinCase{1, 0x2, true, false, false, true},    // pin 14
                                           PinCase{2, 0x4, false, true, true, false},    // pin 16
                                           PinCase{3, 0x8, true, false, false, true}));  // pin 17

TEST(PinLevels, Pin16WithoutNegativeLogicKeysBySettingBit2) {
    EXPECT_EQ(PinControlValue(0x00, 2, false, true), 0x04);
    EXPECT_EQ(PinControlValue(0x04, 2, false, false), 0x00);
}

TEST(PinLevels, Pin1WithNegativeLogicRestsWithBit0Clear) {
    EXPECT_EQ(PinControlValue(0x0F, 0, true, false), 0x0E);
    EXPECT_EQ(PinControlValue(0x0E, 0, true, true), 0x0F);
}

}  // namespace
}  // namespace kelvaro
