// Rendering one character: lengths, the fall of each element, fading and noise in the samples.
#include <gtest/gtest.h>

#include <cmath>

#include "core/CharacterLayout.h"
#include "core/CharacterRenderer.h"
#include "core/ElementTiming.h"

namespace kelvaro {
namespace {

class CharacterRendererTest : public ::testing::Test {
protected:
    CharacterRendererTest() { Tone.Rebuild(800.0, 0.35, false); }

    int Render(std::string_view pattern, int wpm, int gapUnits, const RenderEffects& effects = {}) {
        return RenderCharacter(pattern, ElementTiming::For(wpm, 3, false), gapUnits, Tone, effects, Buffer,
                               &Keying);
    }
    Sample Left(int frame) const { return Buffer[static_cast<std::size_t>(frame) * 2]; }
    Sample Right(int frame) const { return Buffer[static_cast<std::size_t>(frame) * 2 + 1]; }
    bool SilentBetween(int from, int to) const {
        for (int n = from; n < to; ++n) {
            if (Left(n) != 0 || Right(n) != 0) {
                return false;
            }
        }
        return true;
    }

    ToneTable Tone;
    std::vector<Sample> Buffer;
    KeyingSchedule Keying = KeyingSchedule::For(ElementTiming::For(12, 3, false), true, false);
};

TEST_F(CharacterRendererTest, EAtTwelveWpmIsOneDotAndThreeUnitsOfSilence) {
    ASSERT_EQ(Render(".", 12, 2), 8332);
    EXPECT_TRUE(SilentBetween(2083, 8332));
    EXPECT_EQ(Keying.ElementList, (std::vector<int>{94, 0}));
}

TEST_F(CharacterRendererTest, ParisAtTwentyWpmIsFortyNineUnits) {
    SpeedSettings speed;
    speed.ApplySpeed(20);
    const std::vector<std::string> word = {".--.", ".-", ".-.", "..", "..."};
    int total = 0;
    for (const auto& pattern : word) {
        total += Render(pattern, 20, TrailingGapUnits(false, speed, {}));
    }
    total += Render("", 20, TrailingGapUnits(true, speed, {}));
    EXPECT_EQ(total, 61250);
    EXPECT_EQ(total, 49 * 1250);
}

TEST_F(CharacterRendererTest, BlankIsSilenceOnly) {
    ASSERT_EQ(Render("", 12, 3), 6249);
    EXPECT_TRUE(SilentBetween(0, 6249));
}

TEST_F(CharacterRendererTest, EachElementRisesAndFalls) {
    ASSERT_EQ(Render("..", 12, 0), 4 * 2083);
    for (int start : {0, 2 * 2083}) {
        EXPECT_EQ(Left(start), 0);
        EXPECT_EQ(Left(start + 1), 104);  // the rise is in every element: phase restarts at 0
        EXPECT_EQ(Left(start + 100), -8267);
        EXPECT_EQ(Left(start + 2082), 0);       // the last frame of the fall
        EXPECT_EQ(Left(start + 2081), -2);      // R(tone x 1/50)
        EXPECT_EQ(Left(start + 2080), 100);     // R(tone x 2/50)
        EXPECT_EQ(Left(start + 2033), -11218);  // first frame of the fall: x 49/50
        EXPECT_EQ(Left(start + 2032), Tone[2032]);
    }
    for (int n = 0; n < 4 * 2083; ++n) {
        ASSERT_EQ(Left(n), Right(n)) << n;
    }
}

TEST_F(CharacterRendererTest, QsbScalesToneAfterTheRamps) {
    RenderEffects faded;
    faded.QsbFactor = std::pow(10.0, -20.0 / 20.0);
    Render("-", 12, 0, faded);
    EXPECT_EQ(Left(100), -827);  // R(-8267 x 0.1)
    EXPECT_EQ(Left(2), static_cast<Sample>(std::nearbyint(303 * 0.1)));
    EXPECT_EQ(Left(6249), 0);
}

TEST_F(CharacterRendererTest, NoiseIsAddedToToneAndFillsTheSilence) {
    RandomGenerator random(3);
    NoiseTable noise;
    noise.Rebuild(65536, 8, random);
    SilenceNoise silence(65536, 8, random);
    RenderEffects noisy;
    noisy.Noise = &noise;
    noisy.Silence = &silence;
    const int frames = Render(".-", 12, 2, noisy);
    ASSERT_EQ(frames, 2083 + 2083 + 6250 + 2083 + 2 * 2083);

    // Tone frames: the table's value at the same position in the element, clamped.
    auto expected = [&](int toneValue, int position) {
        return std::clamp(toneValue + int{noise[position]}, -32767, 32767);
    };
    EXPECT_EQ(Left(100), expected(-8267, 100));
    const int dashStart = 2 * 2083;
    EXPECT_EQ(Left(dashStart + 100), expected(-8267, 100));
    EXPECT_EQ(Left(dashStart + 6249), expected(0, 6249));

    // Element gaps start fresh; within any gap a value holds for frames of the same 8-block.
    for (int n = 2083; n < 2 * 2083; ++n) {
        if (n != 2083 && n % 8 != 0) {
            ASSERT_EQ(Left(n), Left(n - 1)) << n;
        }
    }
    int nonZero = 0;
    for (int n = dashStart + 6250; n < frames; ++n) {
        nonZero += Left(n) != 0;
        ASSERT_EQ(Left(n), Right(n));
    }
    EXPECT_GT(nonZero, 3 * 2083 - 20);
}

TEST_F(CharacterRendererTest, LoudNoiseOnFullToneIsClamped) {
    ToneTable loud;
    loud.Rebuild(800.0, 1.0, false);
    RandomGenerator random(11);
    NoiseTable noise;
    noise.Rebuild(65536, 1, random);
    SilenceNoise silence(65536, 1, random);
    RenderEffects noisy;
    noisy.Noise = &noise;
    noisy.Silence = &silence;
    const int frames = RenderCharacter("-", ElementTiming::For(5, 3, false), 0, loud, noisy, Buffer, nullptr);
    int clamped = 0;
    for (int n = 0; n < frames; ++n) {
        ASSERT_GE(Left(n), -32767);
        clamped += std::abs(int{Left(n)}) == 32767;
    }
    EXPECT_GT(clamped, 100);
}

}  // namespace
}  // namespace kelvaro
