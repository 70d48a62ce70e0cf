// Element lengths, the spacing cascade, the gap after a character and the keying figures.
#include <gtest/gtest.h>

#include "core/CharacterLayout.h"
#include "core/ElementTiming.h"
#include "core/KeyingSchedule.h"
#include "core/SpeedSettings.h"

namespace kelvaro {
namespace {

TEST(ElementTimingTest, LengthsAtTheSpeedLimitsAndAtTwelveWpm) {
    const ElementTiming at12 = ElementTiming::For(12, 3, false);
    EXPECT_EQ(at12.DashFrames, 6250);
    EXPECT_EQ(at12.DotFrames, 2083);
    EXPECT_EQ(at12.UnitGapFrames, 2083);
    EXPECT_EQ(at12.ElementGapFrames, 2083);
    EXPECT_EQ(ElementTiming::For(5, 3, false).DashFrames, 15000);
    EXPECT_EQ(ElementTiming::For(50, 3, false).DashFrames, 1500);
    EXPECT_EQ(ElementTiming::For(50, 3, false).DotFrames, 500);
}

TEST(ElementTimingTest, HeavierWeightShortensTheDotButNotTheGaps) {
    const ElementTiming weight5 = ElementTiming::For(12, 5, false);
    EXPECT_EQ(weight5.DotFrames, 1250);
    EXPECT_EQ(weight5.UnitGapFrames, 2083);
    EXPECT_EQ(weight5.ElementGapFrames, 2083);
    EXPECT_EQ(ElementTiming::For(12, 4, false).DotFrames, 1562);  // 1562.5 goes to the even side
}

TEST(ElementTimingTest, HalvesRoundToEven) {
    // 75000 / 16 = 4687.5 and 75000 / 48 = 1562.5: both land on the even neighbour.
    EXPECT_EQ(ElementTiming::For(16, 3, false).DashFrames, 4688);
    EXPECT_EQ(ElementTiming::For(48, 3, false).DashFrames, 1562);
}

TEST(ElementTimingTest, HeldPaddleTightensOnlyTheElementGap) {
    const ElementTiming held = ElementTiming::For(12, 3, true);
    EXPECT_EQ(held.ElementGapFrames, 1087);
    EXPECT_EQ(held.UnitGapFrames, 2083);
    EXPECT_EQ(held.DashFrames, 6250);
}

TEST(SpeedSettingsTest, RealSpeedEqualsSetSpeedAtDefaultSpacing) {
    SpeedSettings speed;
    EXPECT_DOUBLE_EQ(speed.RealSpeed(), 12.0);
    EXPECT_EQ(speed.CharGapUnits(), 2);
    ASSERT_TRUE(speed.ApplySpacing(3));
    EXPECT_EQ(speed.CharGapUnits(), 8);
    EXPECT_NEAR(speed.RealSpeed(), 12.0 * 49 / 79, 1e-12);
}

TEST(SpeedSettingsTest, SpacingIsLoweredUntilTheRealSpeedReachesFive) {
    SpeedSettings speed;
    ASSERT_TRUE(speed.ApplySpacing(30));
    // 12 x 49 / (15 s + 34) >= 5 holds up to s = 5.
    EXPECT_EQ(speed.Spacing(), 5);
    EXPECT_GE(speed.RealSpeed(), 5.0);
    speed.ApplySpeed(5);
    // Spacing 2 at 5 wpm would still give 5 x 49 / 67 = 3.7 wpm: it ends at 1.
    EXPECT_EQ(speed.Spacing(), 1);

    speed.ApplySpeed(20);
    ASSERT_TRUE(speed.ApplySpacing(30));
    // 20 x 49 / (15 s + 34) >= 5 holds up to s = 10.
    EXPECT_EQ(speed.Spacing(), 10);
}

TEST(SpeedSettingsTest, OutOfRangeChangesAreIgnored) {
    SpeedSettings speed;
    EXPECT_FALSE(speed.ApplySpacing(0));
    EXPECT_FALSE(speed.ApplySpacing(31));
    EXPECT_FALSE(speed.SetWordSpaceFactor(5));
    EXPECT_FALSE(speed.SetWeightRatio(2));
    EXPECT_EQ(speed.Spacing(), 1);
    EXPECT_EQ(speed.WordSpaceFactor(), 1);
    EXPECT_EQ(speed.WeightRatio(), 3);
}

TEST(SpeedSettingsTest, UpAndDownStopAtTheLimits) {
    SpeedSettings speed;
    speed.ApplySpeed(50);
    EXPECT_FALSE(speed.UpSpeed());
    EXPECT_EQ(speed.SpeedWpm(), 50);
    EXPECT_TRUE(speed.DownSpeed());
    EXPECT_EQ(speed.SpeedWpm(), 49);
    speed.ApplySpeed(5);
    EXPECT_FALSE(speed.DownSpeed());
    EXPECT_EQ(speed.SpeedWpm(), 5);
    speed.ApplySpeed(99);
    EXPECT_EQ(speed.SpeedWpm(), 50);
}

TEST(CharacterLayoutTest, GapUnitsFollowTheModeRules) {
    SpeedSettings speed;
    ASSERT_TRUE(speed.ApplySpacing(2));
    ASSERT_TRUE(speed.SetWordSpaceFactor(2));
    EXPECT_EQ(TrailingGapUnits(false, speed, {}), 5);
    EXPECT_EQ(TrailingGapUnits(true, speed, {}), 6);

    CharacterContext quiz;
    quiz.QuizRunning = true;
    EXPECT_EQ(TrailingGapUnits(false, speed, quiz), 2);

    CharacterContext groupEnd;
    groupEnd.CompletesGroup = true;
    EXPECT_EQ(TrailingGapUnits(false, speed, groupEnd), 6 + 5);

    CharacterContext paddle;
    paddle.PaddleHeld = true;
    paddle.CompletesGroup = true;
    EXPECT_EQ(TrailingGapUnits(false, speed, paddle), 0);
}

TEST(KeyingScheduleTest, ElementListOfA) {
    KeyingSchedule schedule = KeyingSchedule::For(ElementTiming::For(12, 3, false), true, false);
    EXPECT_EQ(schedule.DashMs, 283);
    EXPECT_EQ(schedule.DotMs, 94);
    EXPECT_EQ(schedule.GapMs, 94);
    EXPECT_EQ(schedule.PaddleSpacingMs, 0);
    schedule.BeginCharacter();
    schedule.AddElement(false);
    schedule.AddElement(true);
    schedule.CloseCharacter();
    EXPECT_EQ(schedule.ElementList, (std::vector<int>{94, -94, 283, 0}));
}

TEST(KeyingScheduleTest, NoFiguresWithoutKeyingButPaddleSpacingStays) {
    const KeyingSchedule schedule = KeyingSchedule::For(ElementTiming::For(12, 3, true), false, true);
    EXPECT_EQ(schedule.DashMs, 0);
    EXPECT_EQ(schedule.DotMs, 0);
    EXPECT_EQ(schedule.GapMs, 0);
    EXPECT_EQ(schedule.PaddleSpacingMs, 188);
    EXPECT_EQ(FramesToMs(1500), 68);  // 68.03
    EXPECT_EQ(FramesToMs(15000), 680);
}

}  // namespace
}  // namespace kelvaro
