// The tone table with its rise, the exam tone, the noise table and its hold rule, the generator.
#include <gtest/gtest.h>

#include "core/NoiseTable.h"
#include "core/RandomGenerator.h"
#include "core/ToneTable.h"

namespace kelvaro {
namespace {

TEST(RandomGeneratorTest, FirstValuesForFixedSeeds) {
    RandomGenerator random(12345);
    const std::vector<std::uint32_t> expected = {38, 28, 7, 55, 63};
    for (std::uint32_t value : expected) {
        EXPECT_EQ(random.RandomInt(100), value);
    }
    RandomGenerator fromZero(0);
    EXPECT_EQ(fromZero.RandomInt(1000), 0u);
    EXPECT_EQ(fromZero.RandomInt(1000), 31u);
    EXPECT_EQ(fromZero.RandomInt(1000), 861u);
    EXPECT_EQ(fromZero.CurrentSeed(), 3698175007u);
}

TEST(RandomGeneratorTest, ZeroRangeStillAdvances) {
    RandomGenerator random(7);
    EXPECT_EQ(random.RandomInt(0), 0u);
    EXPECT_NE(random.CurrentSeed(), 7u);
}

TEST(ToneTableTest, PlainToneAt800HzWithItsRise) {
    ToneTable tone;
    tone.Rebuild(800.0, 0.35, false);
    EXPECT_EQ(tone[0], 0);
    EXPECT_EQ(tone[1], 104);
    EXPECT_EQ(tone[2], 303);
    EXPECT_EQ(tone[10], 1915);
    EXPECT_EQ(tone[49], -11294);  // the last ramp frame is scaled by 50/50
    EXPECT_EQ(tone[50], -10552);
    EXPECT_EQ(tone[100], -8267);
    EXPECT_EQ(tone[1000], 11249);
    EXPECT_EQ(tone.Size(), 220500);
}

TEST(ToneTableTest, ExamToneIgnoresThePitch) {
    ToneTable exam800;
    exam800.Rebuild(800.0, 0.35, true);
    ToneTable exam400;
    exam400.Rebuild(400.0, 0.35, true);
    EXPECT_EQ(exam800[60], -812);
    EXPECT_EQ(exam800[1000], 3155);
    for (int n = 0; n < 5000; n += 7) {
        ASSERT_EQ(exam800[n], exam400[n]) << n;
    }
}

TEST(ToneTableTest, FullLevelStaysWithinSixteenBits) {
    ToneTable tone;
    tone.Rebuild(1500.0, 1.0, false);
    int peak = 0;
    for (int n = 0; n < 22050; ++n) {
        peak = std::max(peak, std::abs(int{tone[n]}));
    }
    EXPECT_LE(peak, 32767);
    EXPECT_GE(peak, 32700);
}

TEST(NoiseTableTest, HoldRuleForEachBandwidth) {
    // A new value every 1, 2, 4 or 8 frames.
    for (int bandwidth : {1, 2, 4, 8}) {
        for (int k = 0; k < 64; ++k) {
            EXPECT_EQ(NoiseHoldsPrevious(k, bandwidth), k % bandwidth != 0)
                << "bw " << bandwidth << " k " << k;
        }
    }
}

TEST(NoiseTableTest, TableChangesOnlyEveryEighthFrameAtNarrowBandwidth) {
    RandomGenerator random(99);
    NoiseTable noise;
    noise.Rebuild(65536, 8, random);
    int changes = 0;
    for (int k = 1; k < kNoiseTableFrames; ++k) {
        if (k % 8 != 0) {
            ASSERT_EQ(noise[k], noise[k - 1]) << k;
        } else if (noise[k] != noise[k - 1]) {
            ++changes;
        }
    }
    EXPECT_GT(changes, kNoiseTableFrames / 8 - 10);
}

TEST(NoiseTableTest, DrawsOneNumberPerFrameAndSpansTheRange) {
    RandomGenerator random(5);
    RandomGenerator reference(5);
    NoiseTable noise;
    noise.Rebuild(65536, 1, random);
    for (int k = 0; k < kNoiseTableFrames; ++k) {
        reference.RandomInt(65536);
    }
    EXPECT_EQ(random.CurrentSeed(), reference.CurrentSeed());
    int low = 0;
    int high = 0;
    for (int k = 0; k < kNoiseTableFrames; ++k) {
        low = std::min(low, int{noise[k]});
        high = std::max(high, int{noise[k]});
    }
    EXPECT_LT(low, -32000);
    EXPECT_GT(high, 32000);
}

TEST(NoiseTableTest, LevelZeroIsSilence) {
    RandomGenerator random(5);
    NoiseTable noise;
    noise.Rebuild(0, 8, random);
    for (int k = 0; k < kNoiseTableFrames; ++k) {
        ASSERT_EQ(noise[k], 0);
    }
    RandomGenerator again(5);
    EXPECT_EQ(DrawNoiseValue(32768, again), static_cast<Sample>(RandomGenerator(5).RandomInt(32768)) - 16384);
}

TEST(SilenceNoiseTest, ForcedFreshFrameBreaksTheHold) {
    RandomGenerator random(1);
    SilenceNoise silence(65536, 8, random);
    const Sample first = silence.Next(0, false);
    EXPECT_EQ(silence.Next(1, false), first);
    EXPECT_EQ(silence.Next(7, false), first);
    const Sample fresh = silence.Next(3, true);
    EXPECT_EQ(silence.Next(5, false), fresh);
    EXPECT_NE(silence.Next(8, false), fresh);  // a new value (equal only by a 1-in-65536 chance)
}

}  // namespace
}  // namespace kelvaro
