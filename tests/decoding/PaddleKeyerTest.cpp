// The paddle keyer: contact wiring, hold, switch and release, and the character that follows.
#include <gtest/gtest.h>

#include <string>

#include "core/MorseTable.h"
#include "decoding/HandKeyDecoder.h"
#include "decoding/MonitorDecoding.h"
#include "decoding/PaddleKeyer.h"
#include "support/ManualOneShotTimer.h"
#include "support/RecordingMonitorDisplay.h"

namespace kelvaro {
namespace {

using Contact = PaddleKeyer::Contact;

class PaddleKeyerTest : public ::testing::Test {
protected:
    PaddleKeyerTest() {
        Timer.SetOnTimer([this] { Decoder.MMTimerEspaceTimer(); });
        Decoder.UpdateHandThresholds(12);
    }
    /// What the completion step does each time an element has sounded: returns the queued text.
    std::string Sound(int elements) {
        std::string queued;
        for (int n = 0; n < elements; ++n) {
            if (const char next = Keyer.NextElement()) {
                queued += next;
            }
        }
        return queued;
    }

    MorseTable Table;
    test::RecordingMonitorDisplay Display;
    MonitorDecoding Shared{Table, Display};
    test::ManualOneShotTimer Timer;
    HandKeyDecoder Decoder{Shared, Display, Timer};
    PaddleKeyer Keyer{Shared, Decoder};
};

TEST_F(PaddleKeyerTest, NormalWiringHasTheDashOnButtonOneAndReverseTheDot) {
    EXPECT_EQ(PaddleKeyer::ContactOf(1, false), Contact::Dash);
    EXPECT_EQ(PaddleKeyer::ContactOf(2, false), Contact::Dot);
    EXPECT_EQ(PaddleKeyer::ContactOf(1, true), Contact::Dot);
    EXPECT_EQ(PaddleKeyer::ContactOf(2, true), Contact::Dash);
}

TEST_F(PaddleKeyerTest, HoldingDotThenSqueezingDashSwitchesAndReleasingEitherStops) {
    EXPECT_EQ(Keyer.Press(Contact::Dot, true), 'e');
    EXPECT_EQ(Sound(2), "ee");
    EXPECT_EQ(Keyer.Press(Contact::Dash, false), '\0');  // an element sounds: nothing queued now
    EXPECT_TRUE(Keyer.DashHeld());
    EXPECT_FALSE(Keyer.DotHeld());
    EXPECT_EQ(Sound(2), "tt");
    Keyer.Release();
    EXPECT_FALSE(Keyer.Held());
    EXPECT_EQ(Sound(1), "");
    EXPECT_EQ(Shared.CurrentCode, "...--");
    EXPECT_EQ(Shared.EchoLine(), "...--");
}

TEST_F(PaddleKeyerTest, TheCharacterIsPrintedAfterTheSpacingAndAWordSpaceAfterTwiceThat) {
    Keyer.Press(Contact::Dot, true);
    Keyer.Release();
    Keyer.Press(Contact::Dash, true);
    Keyer.Release();
    Keyer.QueueRanEmpty(200);
    EXPECT_TRUE(Timer.Enabled());
    EXPECT_EQ(Timer.IntervalMs(), 200);
    ASSERT_TRUE(Timer.Fire());
    EXPECT_EQ(Display.Memo, "a");
    EXPECT_EQ(Timer.IntervalMs(), 400);
    // A new press before the word gap stops the timer: no word space.
    Keyer.Press(Contact::Dash, true);
    EXPECT_FALSE(Timer.Enabled());
    Keyer.Release();
    Keyer.QueueRanEmpty(200);
    ASSERT_TRUE(Timer.Fire());
    ASSERT_TRUE(Timer.Fire());
    EXPECT_EQ(Display.Memo, "at ");
    EXPECT_FALSE(Timer.Enabled());
}

TEST_F(PaddleKeyerTest, NoSpacingTimeStartsNoTimer) {
    Keyer.Press(Contact::Dot, true);
    Keyer.Release();
    Keyer.QueueRanEmpty(0);
    EXPECT_FALSE(Timer.Enabled());
    EXPECT_EQ(Display.Memo, "");
}

}  // namespace
}  // namespace kelvaro
