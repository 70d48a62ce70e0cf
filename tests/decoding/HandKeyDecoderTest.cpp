// The straight-key decoder: thresholds, mark classification, bounces and the character timer.
#include <gtest/gtest.h>

#include <cstdint>

#include "core/MorseTable.h"
#include "decoding/HandKeyDecoder.h"
#include "decoding/MonitorDecoding.h"
#include "support/ManualOneShotTimer.h"
#include "support/RecordingMonitorDisplay.h"

namespace kelvaro {
namespace {

class HandKeyDecoderTest : public ::testing::Test {
protected:
    HandKeyDecoderTest() {
        Timer.SetOnTimer([this] { Decoder.MMTimerEspaceTimer(); });
        Decoder.UpdateHandThresholds(12);
    }

    /// A mark of markUs starting spaceUs after the previous key-up.
    void Mark(std::int64_t markUs, std::int64_t spaceUs = 100'000) {
        NowUs += spaceUs;
        Decoder.TimeHandKey(true, NowUs);
        NowUs += markUs;
        Decoder.TimeHandKey(false, NowUs);
    }

    MorseTable Table;
    test::RecordingMonitorDisplay Display;
    MonitorDecoding Shared{Table, Display};
    test::ManualOneShotTimer Timer;
    HandKeyDecoder Decoder{Shared, Display, Timer};
    std::int64_t NowUs = 5'000'000'000;  // anywhere on a monotonic clock
};

TEST_F(HandKeyDecoderTest, ThresholdsFollowTheSpeed) {
    struct Case {
        int Wpm, Pmax, Tmin, Imax;
    };
    for (const Case c : {Case{5, 360, 475, 600}, Case{12, 150, 198, 250}, Case{20, 90, 119, 150},
                         Case{50, 36, 48, 60}, Case{16, 112, 148, 188}}) {
        Decoder.UpdateHandThresholds(c.Wpm);
        EXPECT_EQ(Decoder.Pmax(), c.Pmax) << c.Wpm;
        EXPECT_EQ(Decoder.Tmin(), c.Tmin) << c.Wpm;
        EXPECT_EQ(Decoder.Imax(), c.Imax) << c.Wpm;
        EXPECT_EQ(Display.Debug, "pmax:" + std::to_string(c.Pmax) + " tmin:" + std::to_string(c.Tmin) +
                                     " imax:" + std::to_string(c.Imax));
    }
}

TEST_F(HandKeyDecoderTest, MarksAroundTheLimitsAt12Wpm) {
    struct Case {
        std::int64_t MarkUs;
        const char* Element;
    };
    // pmax 150, tmin 198; a mark is rounded to whole ms with halves to even.
    for (const Case c :
         {Case{25'000, "."}, Case{148'500, "."}, Case{149'000, "."}, Case{149'500, ""}, Case{150'000, ""},
          Case{198'000, ""}, Case{198'500, ""}, Case{199'000, "-"}, Case{600'000, "-"}}) {
        Shared.CurrentCode.clear();
        Shared.ClearEcho();
        Mark(c.MarkUs);
        EXPECT_EQ(Shared.CurrentCode, c.Element) << c.MarkUs;
        EXPECT_EQ(Display.Echo, c.Element) << c.MarkUs;
        // Whatever the mark was, the character timer waits imax.
        EXPECT_TRUE(Timer.Enabled()) << c.MarkUs;
        EXPECT_EQ(Timer.IntervalMs(), 250);
        EXPECT_EQ(Decoder.LetterTimeout(), 250);
        EXPECT_FALSE(Shared.KeyIsDown);
    }
    EXPECT_EQ(Display.Debug, "pmax:150 tmin:198 imax:250 s:600 i:100");
}

TEST_F(HandKeyDecoderTest, ABounceDropsTheCharacter) {
    Mark(100'000);
    Mark(300'000);
    ASSERT_EQ(Shared.CurrentCode, ".-");
    Timer.SetEnabled(false);
    Mark(24'400);  // 24 ms
    EXPECT_EQ(Shared.CurrentCode, "");
    EXPECT_FALSE(Timer.Enabled());
    EXPECT_EQ(Display.Debug, "pmax:150 tmin:198 imax:250 s:24 i:100");
    // Both key times are forgotten: the next key-up measures nothing.
    Decoder.TimeHandKey(false, NowUs + 50'000);
    EXPECT_EQ(Shared.CurrentCode, "");
    EXPECT_FALSE(Timer.Enabled());
}

TEST_F(HandKeyDecoderTest, AShortSpaceDropsTheCharacterAndTheNextMark) {
    Mark(100'000);
    Mark(100'000);
    ASSERT_EQ(Shared.CurrentCode, "..");
    NowUs += 24'000;
    Decoder.TimeHandKey(true, NowUs);
    EXPECT_EQ(Shared.SpaceLength, 24);
    EXPECT_EQ(Shared.CurrentCode, "");
    EXPECT_FALSE(Timer.Enabled());
    Shared.ClearEcho();
    NowUs += 100'000;
    Decoder.TimeHandKey(false, NowUs);
    EXPECT_EQ(Shared.CurrentCode, "");
    EXPECT_EQ(Display.Echo, "");
    EXPECT_FALSE(Timer.Enabled());
    // A space of 25 ms is measured.
    Mark(100'000);
    Mark(100'000, 25'000);
    EXPECT_EQ(Shared.CurrentCode, "..");
    EXPECT_EQ(Shared.SpaceLength, 25);
}

TEST_F(HandKeyDecoderTest, KeyUpWithoutKeyDownOnlyRefreshesTheDebugLine) {
    const int before = Display.DebugUpdates;
    Decoder.TimeHandKey(false, NowUs);
    EXPECT_EQ(Shared.CurrentCode, "");
    EXPECT_FALSE(Timer.Enabled());
    EXPECT_EQ(Display.Echo, "");
    EXPECT_EQ(Display.DebugUpdates, before + 1);
    EXPECT_EQ(Display.Debug, "pmax:150 tmin:198 imax:250 s:-1 i:-1");
}

TEST_F(HandKeyDecoderTest, SilencePrintsTheCharacterThenTheWordSpace) {
    Mark(100'000);
    Mark(300'000);
    EXPECT_EQ(Display.Echo, ".-");
    ASSERT_TRUE(Timer.Fire());  // imax of silence
    EXPECT_EQ(Display.Memo, "a");
    EXPECT_EQ(Display.Echo, ".- ");
    EXPECT_EQ(Shared.CurrentCode, "");
    EXPECT_TRUE(Decoder.LetterDone());
    EXPECT_TRUE(Timer.Enabled());
    EXPECT_EQ(Timer.IntervalMs(), 500);
    ASSERT_TRUE(Timer.Fire());  // 2 x imax more
    EXPECT_EQ(Display.Memo, "a ");
    EXPECT_FALSE(Timer.Enabled());

    // A key-down before the word gap ends keeps the word going.
    Shared.UpperCase = true;
    for (int i = 0; i < 3; ++i) {
        Mark(100'000);
    }
    Mark(300'000);
    Mark(100'000);
    Mark(300'000);
    ASSERT_TRUE(Timer.Fire());
    EXPECT_EQ(Display.Memo, "a [VA]");
    Mark(100'000, 400'000);
    EXPECT_EQ(Timer.IntervalMs(), 250);
    ASSERT_TRUE(Timer.Fire());
    ASSERT_TRUE(Timer.Fire());
    EXPECT_EQ(Display.Memo, "a [VA]E ");
}

TEST_F(HandKeyDecoderTest, PaddleSpacingDrivesTheSameTimer) {
    Shared.CurrentCode = "--..";
    Decoder.StartPaddleLetterTimer(120);
    EXPECT_FALSE(Decoder.LetterDone());
    EXPECT_TRUE(Timer.Enabled());
    EXPECT_EQ(Timer.IntervalMs(), 120);
    ASSERT_TRUE(Timer.Fire());
    EXPECT_EQ(Display.Memo, "z");
    EXPECT_EQ(Timer.IntervalMs(), 240);
    Decoder.StopLetterTimer();
    EXPECT_FALSE(Timer.Fire());

    // Without a paddle spacing time no timer runs, and a character ends without a word timer.
    Shared.CurrentCode = "-";
    Decoder.StartPaddleLetterTimer(0);
    EXPECT_EQ(Decoder.LetterTimeout(), 0);
    EXPECT_FALSE(Timer.Enabled());
    Decoder.MMTimerEspaceTimer();
    EXPECT_EQ(Display.Memo, "zt");
    EXPECT_FALSE(Timer.Enabled());
}

}  // namespace
}  // namespace kelvaro
