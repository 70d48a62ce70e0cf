// The audio tone decoder, fed frame-exact envelopes: estimates, gaps, glitches, channels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/MorseTable.h"
#include "decoding/AudioToneDecoder.h"
#include "decoding/MonitorDecoding.h"
#include "support/RecordingMonitorDisplay.h"

namespace kelvaro {
namespace {

using Channel = AudioToneDecoder::Channel;

class AudioToneDecoderTest : public ::testing::Test {
protected:
    /// The peak window holds a level 29 frames after the signal drops: a steady level of d
    /// frames is measured as a mark of d + 29 and shortens the following space by 29.
    static constexpr int kTail = AudioToneDecoder::kPeakWindowFrames - 1;

    AudioToneDecoderTest() {
        Decoder.Start();
        Silence(1000);
    }

    /// frames of a steady offset from silence on each channel, handed over in recording buffers.
    void Feed(int frames, int left, int right) {
        std::vector<std::uint8_t> buffer;
        for (int i = 0; i < frames; ++i) {
            buffer.push_back(static_cast<std::uint8_t>(128 + left));
            buffer.push_back(static_cast<std::uint8_t>(128 - right));  // either sign counts
            if (buffer.size() == 2 * AudioToneDecoder::kBufferFrames) {
                Decoder.AnalyseBuffer(buffer);
                buffer.clear();
            }
        }
        if (!buffer.empty()) {
            Decoder.AnalyseBuffer(buffer);
        }
    }
    /// A tone measured as markFrames long.
    void Tone(int markFrames, int level = 100) { Feed(markFrames - kTail, level, level); }
    /// Silence measured as spaceFrames long when a tone follows.
    void Silence(int spaceFrames) { Feed(spaceFrames + kTail, 0, 0); }
    void Estimates(int dot, int dash, int gap) {
        EXPECT_EQ(Decoder.DotEstimate(), dot);
        EXPECT_EQ(Decoder.DashEstimate(), dash);
        EXPECT_EQ(Decoder.GapEstimate(), gap);
    }

    MorseTable Table;
    test::RecordingMonitorDisplay Display;
    MonitorDecoding Shared{Table, Display};
    AudioToneDecoder Decoder{Shared, Display};
};

TEST_F(AudioToneDecoderTest, FirstMarkIsADotThatSetsEveryEstimate) {
    Tone(300);
    Silence(200);
    Estimates(300, 900, 300);
    EXPECT_EQ(Shared.CurrentCode, ".");
    EXPECT_EQ(Shared.MarkLength, 300);
    EXPECT_EQ(Display.Echo, ".");
    EXPECT_EQ(Display.Debug, " p=300 t=900 i=300 C=.");
    EXPECT_EQ(Display.Memo, "");
}

TEST_F(AudioToneDecoderTest, LongMarksAreDashesAgainstTwiceTheDot) {
    Tone(300);
    Silence(300);  // an element gap: the gap estimate stays 300
    Tone(600);
    Silence(200);
    EXPECT_EQ(Shared.CurrentCode, "..");
    Estimates(450, 1350, 300);  // dot R((300 + 600) / 2), the dash raised to three dots

    Decoder.ChooseChannel(Channel::Left);
    Silence(3000);
    Shared.CurrentCode.clear();
    Tone(300);
    Silence(300);
    Tone(601);
    Silence(200);
    EXPECT_EQ(Shared.CurrentCode, ".-");
    // R((900 + 601) / 2) = R(750.5) = 750; a quarter of it is below the dot, which stays.
    Estimates(300, 750, 300);
}

TEST_F(AudioToneDecoderTest, ALongDashRaisesTheDotToAQuarterOfIt) {
    Tone(165);
    Silence(200);
    Estimates(165, 495, 165);
    Tone(1000);  // the space was an element gap: R((165 + 200) / 2) = R(182.5) = 182
    Silence(200);
    // dash R((495 + 1000) / 2) = R(747.5) = 748, dot raised to R(748 / 4) = 187
    Estimates(187, 748, 182);
    EXPECT_EQ(Shared.CurrentCode, ".-");
}

TEST_F(AudioToneDecoderTest, FirstElementOfACharacterSetsTheGap) {
    Tone(300);
    Silence(1000);  // a character gap: "e" when the next tone starts
    EXPECT_EQ(Display.Memo, "");
    Tone(901);  // first element, over twice the dot: a dash, gap R(901 / 2) = 450 (450.5)
    EXPECT_EQ(Display.Memo, "e");
    Silence(300);
    EXPECT_EQ(Shared.CurrentCode, "-");
    Estimates(300, 900, 450);  // R((900 + 901) / 2) = R(900.5) = 900
    Silence(2000);
    Tone(400);  // first element, a dot: dot R(350) = 350, the gap follows the dot
    Silence(200);
    Estimates(350, 1050, 350);
    EXPECT_EQ(Display.Memo, "et");
}

TEST_F(AudioToneDecoderTest, MarksAndSpacesUnderTheMinimumDropTheCharacter) {
    Tone(300);
    Silence(300);
    Tone(164);
    Silence(300);
    EXPECT_EQ(Shared.CurrentCode, "");
    EXPECT_EQ(Shared.MarkLength, 164);
    EXPECT_EQ(Decoder.MarkStart(), -1);
    EXPECT_EQ(Decoder.MarkEnd(), -1);
    // The estimates are kept, the gap estimate too; a mark of 165 is measured.
    Tone(165);
    Silence(300);
    EXPECT_EQ(Shared.CurrentCode, ".");
    EXPECT_EQ(Shared.MarkLength, 165);
    Estimates(232, 900, 300);  // dot R((300 + 165) / 2) = R(232.5) = 232

    // A space of 165 is measured, 164 drops the character and the tone that follows it.
    Decoder.ChooseChannel(Channel::Left);
    Silence(3000);
    Display.Memo.clear();
    Tone(300);
    Silence(165);
    Tone(300);
    Silence(164);
    EXPECT_EQ(Shared.CurrentCode, "..");
    EXPECT_EQ(Shared.SpaceLength, 165);
    Tone(300);
    Silence(300);
    EXPECT_EQ(Shared.CurrentCode, "");
    EXPECT_EQ(Shared.SpaceLength, 164);
    EXPECT_EQ(Decoder.GapEstimate(), -1);
    Tone(300);  // measured again: the first element of a new character
    Silence(300);
    EXPECT_EQ(Shared.CurrentCode, ".");
    EXPECT_EQ(Display.Memo, "");
}

TEST_F(AudioToneDecoderTest, SpacesAgainstTheGapEstimate) {
    struct Case {
        int SpaceFrames;
        const char* Code;
        const char* Memo;
        int Gap;
    };
    // Gap estimate 400: over twice is a character gap, down to half an element gap, below
    // half the sender is faster than estimated and the dots were dashes.
    for (const Case c : {Case{801, ".", "e", 400}, Case{800, "..", "", 600}, Case{200, "..", "", 400},
                         Case{199, "--", "", 199}}) {
        SCOPED_TRACE(c.SpaceFrames);
        Decoder.ChooseChannel(Channel::Left);
        Silence(4000);
        Shared.CurrentCode.clear();
        Shared.ClearEcho();
        Display.Memo.clear();
        Tone(400);
        Silence(c.SpaceFrames);
        Tone(400);
        Silence(300);
        EXPECT_EQ(Shared.CurrentCode, c.Code);
        EXPECT_EQ(Display.Memo, c.Memo);  // no word space on a character gap
        EXPECT_EQ(Decoder.GapEstimate(), c.Gap);
    }
    // The correction: dash := the old dot, dot := gap := the space; the echo line is rewritten.
    EXPECT_EQ(Decoder.DotEstimate(), 199);
    EXPECT_EQ(Decoder.DashEstimate(), 400);
    EXPECT_EQ(Display.Echo, "--");
}

TEST_F(AudioToneDecoderTest, FasterSenderRewritesOnlyTheCurrentCharacter) {
    Tone(400);
    Silence(1000);
    Tone(400);  // "e" printed, a new character starts with a dot
    Silence(400);
    Tone(400);
    Silence(199);  // faster: both dots of this character were dashes
    Tone(400);
    Silence(300);
    EXPECT_EQ(Shared.CurrentCode, "---");
    EXPECT_EQ(Display.Echo, ". ---");
    EXPECT_EQ(Display.Memo, "e");
}

TEST_F(AudioToneDecoderTest, LongSilencePrintsTheCharacterAndOneBlankOnce) {
    Tone(300);
    Silence(200);
    Tone(300);  // gap estimate R((300 + 200) / 2) = 250, raised to the dot: 300
    ASSERT_EQ(Decoder.GapEstimate(), 300);
    Feed(kTail + 1 + 6 * 300, 0, 0);  // the tone ends, then 6 x gap of silence
    EXPECT_EQ(Display.Memo, "");
    EXPECT_EQ(Shared.CurrentCode, "..");
    Feed(1, 0, 0);
    EXPECT_EQ(Display.Memo, "i ");
    EXPECT_EQ(Shared.CurrentCode, "");
    EXPECT_EQ(Decoder.GapEstimate(), -1);
    Feed(100000, 0, 0);
    EXPECT_EQ(Display.Memo, "i ");
    // The next tone starts a character with the dot and dash estimates kept.
    Tone(900);
    Feed(kTail + 1 + 6 * 450, 0, 0);
    EXPECT_EQ(Shared.CurrentCode, "-");
    EXPECT_EQ(Decoder.GapEstimate(), 450);
    Feed(1, 0, 0);
    EXPECT_EQ(Display.Memo, "i t ");
}

TEST_F(AudioToneDecoderTest, ALevelEqualToTheThresholdIsTone) {
    Tone(300, 64);
    Silence(100);
    Tone(300, 63);  // below the threshold: no tone at all
    Silence(100);
    Tone(300, 64);
    Silence(300);
    EXPECT_EQ(Shared.CurrentCode, "..");
    EXPECT_EQ(Decoder.GapEstimate(), 400);  // the space of 500 ran across the weak tone

    Decoder.SetThreshold(0);  // everything is tone: the tone never ends
    Silence(5000);
    Shared.CurrentCode.clear();
    Display.Memo.clear();
    Tone(300);
    Silence(5000);
    EXPECT_EQ(Shared.CurrentCode, "");
    EXPECT_TRUE(Shared.KeyIsDown);
    EXPECT_EQ(Display.Memo, "");
}

TEST_F(AudioToneDecoderTest, ChannelChoiceAndThresholds) {
    const auto decodes = [this](int left, int right) {
        Shared.CurrentCode.clear();
        Silence(5000);
        Feed(300 - kTail, left, right);
        Silence(300);
        return Shared.CurrentCode;
    };
    EXPECT_EQ(Decoder.CurrentChannel(), Channel::Left);
    EXPECT_EQ(decodes(100, 0), ".");
    EXPECT_EQ(decodes(0, 100), "");
    Decoder.ChooseChannel(Channel::None);  // no channel button: the right channel
    EXPECT_EQ(decodes(100, 0), "");
    EXPECT_EQ(decodes(0, 100), ".");
    Decoder.ChooseChannel(Channel::Right);
    EXPECT_EQ(decodes(0, 40), "");
    // The left slider moved while the right channel is chosen: its position is what counts.
    Decoder.SetThreshold(30);
    EXPECT_EQ(Decoder.Threshold(), 30);
    EXPECT_EQ(decodes(0, 40), ".");
    Decoder.SetThreshold(500);
    EXPECT_EQ(Decoder.Threshold(), 127);
}

TEST_F(AudioToneDecoderTest, StartKeepsTheEstimatesAndIgnoresATonePresentAtStart) {
    Tone(300);
    Silence(300);
    Tone(300);
    Feed(200, 100, 100);
    Decoder.Start();  // the tone is still on
    EXPECT_EQ(Shared.CurrentCode, "");
    Feed(500, 100, 100);
    Silence(300);
    EXPECT_EQ(Shared.CurrentCode, "");  // never measured
    Estimates(300, 900, 300);
    Tone(900);
    Silence(300);
    EXPECT_EQ(Shared.CurrentCode, "-");  // the kept dot makes this first mark a dash
    Decoder.ChooseChannel(Channel::Left);
    Estimates(-1, -1, -1);
    Tone(400);
    Silence(300);
    Estimates(400, 1200, 400);
    Decoder.ForgetEstimates();  // the straight key was chosen in between
    Estimates(-1, -1, -1);
    EXPECT_EQ(Decoder.CurrentChannel(), Channel::Left);
}

TEST_F(AudioToneDecoderTest, LevelBarsShowTheLastFramePeaks) {
    struct Case {
        int Left, Right, LeftPercent, RightPercent;
    };
    for (const Case c :
         {Case{0, 0, 0, 0}, Case{64, 1, 50, 1}, Case{16, 48, 12, 38}, Case{127, 128, 99, 100}}) {
        Feed(40, 0, 0);
        Feed(1, c.Left, c.Right);  // a single frame stays in the window
        EXPECT_EQ(Display.LeftPercent, c.LeftPercent) << c.Left;
        EXPECT_EQ(Display.RightPercent, c.RightPercent) << c.Right;
    }
    Feed(29, 0, 0);
    EXPECT_EQ(Display.LeftPercent, 99);
    Feed(1, 0, 0);
    EXPECT_EQ(Display.LeftPercent, 0);
}

}  // namespace
}  // namespace kelvaro
