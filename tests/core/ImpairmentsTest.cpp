// QSB fading over its cycle, its random start, and the frequency drift between its limits.
#include <gtest/gtest.h>

#include <cmath>

#include "core/FrequencyDrift.h"
#include "core/QsbFading.h"

namespace kelvaro {
namespace {

TEST(QsbFadingTest, DepthTwentyAtTwelveWpmFadesOverTenCharacters) {
    QsbFading qsb;
    qsb.DepthDb = 20;
    const std::vector<double> expectedDb = {0, 4, 8, 12, 16, 20, 16, 12, 8, 4, 0, 4};
    for (std::size_t i = 0; i < expectedDb.size(); ++i) {
        EXPECT_NEAR(qsb.AttenuationDb(12), expectedDb[i], 1e-12) << "character " << i;
        const double factor = qsb.NextCharacterFactor(12);
        EXPECT_NEAR(factor, std::pow(10.0, -expectedDb[i] / 20.0), 1e-12);
    }
    EXPECT_EQ(qsb.Counter, 2);
}

TEST(QsbFadingTest, DepthZeroNeverFades) {
    QsbFading qsb;
    qsb.DepthDb = 0;
    for (int i = 0; i < 30; ++i) {
        ASSERT_DOUBLE_EQ(qsb.NextCharacterFactor(33), 1.0);
    }
}

TEST(QsbFadingTest, CycleFollowsTheSpeed) {
    // At 30 wpm f = 12.5 and F = R(12.5) = 12: the counter wraps after 24 characters.
    QsbFading qsb;
    qsb.DepthDb = 10;
    for (int i = 0; i < 24; ++i) {
        qsb.NextCharacterFactor(30);
    }
    EXPECT_EQ(qsb.Counter, 0);
    qsb.Counter = 13;  // past the turning point: (2f - 13) x 10 / f
    EXPECT_NEAR(qsb.AttenuationDb(30), (25.0 - 13.0) * 10.0 / 12.5, 1e-12);
}

TEST(QsbFadingTest, RandomStartStaysWithinTheCycle) {
    RandomGenerator random(42);
    QsbFading qsb;
    std::vector<int> seen(10, 0);
    for (int i = 0; i < 2000; ++i) {
        qsb.StartAtRandom(12, random);
        ASSERT_GE(qsb.Counter, 0);
        ASSERT_LT(qsb.Counter, 10);
        ++seen[static_cast<std::size_t>(qsb.Counter)];
    }
    for (int count : seen) {
        EXPECT_GT(count, 100);
    }
}

TEST(FrequencyDriftTest, ClampsAtTheMaximumAndReverses) {
    FrequencyDrift drift;
    double pitch = 800.0;
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(drift.Step(pitch));
    }
    EXPECT_DOUBLE_EQ(pitch, 1300.0);
    EXPECT_EQ(drift.Rate, 10);
    drift.Step(pitch);  // 1310 is clamped to 1300 and the direction turns
    EXPECT_DOUBLE_EQ(pitch, 1300.0);
    EXPECT_EQ(drift.Rate, -10);
    drift.Step(pitch);
    EXPECT_DOUBLE_EQ(pitch, 1290.0);
}

TEST(FrequencyDriftTest, ClampsAtTheMinimumAndReverses) {
    FrequencyDrift drift;
    drift.Rate = -10;
    double pitch = 305.0;
    drift.Step(pitch);
    EXPECT_DOUBLE_EQ(pitch, 300.0);
    EXPECT_EQ(drift.Rate, 10);
}

TEST(FrequencyDriftTest, LoweringTheMaximumBelowThePitchClampsAtTheNextStep) {
    FrequencyDrift drift;
    double pitch = 1000.0;
    drift.MaxHz = 900;
    drift.Step(pitch);
    EXPECT_DOUBLE_EQ(pitch, 900.0);
    EXPECT_EQ(drift.Rate, -10);
}

TEST(FrequencyDriftTest, StepSettingKeepsTheDirection) {
    FrequencyDrift drift;
    drift.Rate = -10;
    drift.SetStepSetting(25);
    EXPECT_EQ(drift.Rate, -25);
    drift.ResetDirection();
    EXPECT_EQ(drift.Rate, 25);
    drift.SetStepSetting(0);
    double pitch = 700.0;
    EXPECT_FALSE(drift.Step(pitch));
    EXPECT_DOUBLE_EQ(pitch, 700.0);
    drift.Rate = 0;
    drift.StepSetting = 5;
    drift.SwitchOn();
    EXPECT_EQ(drift.Rate, 5);
}

}  // namespace
}  // namespace kelvaro
