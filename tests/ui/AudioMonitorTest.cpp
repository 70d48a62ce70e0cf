// Monitoring the sound card's input through the real window: recording starts with an audio
// channel, a tone in that channel is decoded, the sliders and level bars, the recording giving
// way to playback and coming back, and a device that fails.
#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <cmath>
#include <string>
#include <vector>

#include "MonitorFixture.h"

namespace kelvaro::test {
namespace {

class AudioMonitorTest : public MonitorFixture {
protected:
    /// Keyed tone at 11025 frames per second, 8-bit stereo: a 700 Hz tone of the given peak in
    /// the left or right channel, the other channel silent. A dot lasts dotFrames.
    void Key(const std::string& text, bool left, int peak = 100, int dotFrames = 1100) {
        for (char c : text) {
            if (c == ' ') {
                Silence(7 * dotFrames);
                continue;
            }
            const std::string& pattern = Codes.Pattern(static_cast<std::uint8_t>(c));
            for (char element : pattern) {
                Tone(element == '-' ? 3 * dotFrames : dotFrames, left, peak);
                Silence(dotFrames);
            }
            Silence(2 * dotFrames);
        }
    }
    void Tone(int frames, bool left, int peak) {
        for (int n = 0; n < frames; ++n) {
            const auto sample = static_cast<std::uint8_t>(
                128 + std::lround(peak * std::sin(2 * M_PI * 700 * Phase++ / 11025.0)));
            Pending.push_back(left ? sample : 128);
            Pending.push_back(left ? 128 : sample);
        }
    }
    void Silence(int frames) { Pending.insert(Pending.end(), static_cast<std::size_t>(frames) * 2, 128); }
    /// Hands everything keyed so far to the window in device blocks; false once the device is closed.
    bool Record() {
        Silence(20000);  // the last character and the word end in silence
        const std::size_t block = WaveIn::kBlockFrames * 2;
        Pending.resize((Pending.size() + block - 1) / block * block, 128);
        bool delivered = true;
        for (std::size_t at = 0; at < Pending.size(); at += block) {
            delivered = Input.Deliver(std::span<const std::uint8_t>(Pending.data() + at, block)) && delivered;
        }
        Pending.clear();
        return delivered;
    }

    MorseTable Codes;
    std::vector<std::uint8_t> Pending;
    long Phase = 0;
};

TEST_F(AudioMonitorTest, TheChosenChannelIsRecordedAndItsToneDecoded) {
    CreateWith(false);
    Click("RadioButtonMonitor");
    ASSERT_TRUE(Input.IsOpen());
    Key("paris paris", true);
    ASSERT_TRUE(Record());
    EXPECT_EQ(Memo(), "paris paris ");

    Click("RadioButtonRC");  // the tone is in the left channel only
    EXPECT_TRUE(Input.IsOpen());
    Key("eee", true);
    ASSERT_TRUE(Record());
    EXPECT_EQ(Memo(), "paris paris ");
    Key("paris", false);
    ASSERT_TRUE(Record());
    EXPECT_EQ(Memo(), "paris paris paris ");
}

TEST_F(AudioMonitorTest, EitherSliderSetsTheThresholdInUseAndTheBarsShowTheLevels) {
    CreateWith(false);
    Click("RadioButtonMonitor");
    std::vector<std::uint8_t> level(WaveIn::kBlockFrames * 2, 128);
    for (std::size_t n = 0; n < level.size(); n += 2) {
        level[n] = 128 + 40;  // below the threshold of 64: no tone
    }
    ASSERT_TRUE(Input.Deliver(level));
    EXPECT_EQ(Find<QProgressBar>("ProgressBarLeft")->value(), 31);  // 40 of 128
    EXPECT_EQ(Find<QProgressBar>("ProgressBarRight")->value(), 0);

    Find<QSlider>("TrackBarRC")->setValue(110);  // above the tone's peak, though the left is chosen
    Key("ee", true);
    ASSERT_TRUE(Record());
    EXPECT_EQ(Memo(), "");
    Find<QSlider>("TrackBarLC")->setValue(40);
    Key("ee", true);
    ASSERT_TRUE(Record());
    EXPECT_EQ(Memo(), "ee ");
}

TEST_F(AudioMonitorTest, PlaybackTakesTheCardAndRecordingComesBackAfterIt) {
    CreateWith(false);
    Click("RadioButtonMonitor");
    ASSERT_TRUE(Input.IsOpen());
    Type("e");
    EXPECT_FALSE(Input.IsOpen());
    EXPECT_EQ(Device.FramesOf(PlayEngine::kCharacterBuffer).size(), 1u);
    Device.CompleteAll();
    EXPECT_TRUE(Input.IsOpen());
    EXPECT_EQ(Input.Opens, 2);

    Click("RadioButtonCTRL");  // a key source: no recording
    EXPECT_FALSE(Input.IsOpen());
    Click("RadioButtonLC");
    EXPECT_TRUE(Input.IsOpen());
    Click("RadioButtonRandom");
    EXPECT_FALSE(Input.IsOpen());
}

TEST_F(AudioMonitorTest, AnInputThatFailsIsReportedAndTheProgramGoesOnWithTheKeys) {
    Input.NextOpen = Status::Failure(2, WaveIn::kCantOpenContext);
    CreateWith(false);
    Click("RadioButtonMonitor");
    ASSERT_EQ(Prompts.Messages.size(), 1u);
    EXPECT_EQ(Prompts.Messages[0], "Err 2 : Can't open the sound card !");
    EXPECT_FALSE(Terminated);
    EXPECT_FALSE(Monitor->WaveInOpen());
    Type("e");  // playback does not bring the failed device back
    Device.CompleteAll();
    EXPECT_EQ(Input.Opens, 1);

    Click("RadioButtonCTRL");
    CtrlMark(60, 500);
    EXPECT_EQ(Echo(), ".");

    Input.NextOpen = Status::Success();
    Click("RadioButtonLC");
    ASSERT_TRUE(Input.IsOpen());
    Input.Lose(Status::Failure(5, WaveIn::kLostContext));
    EXPECT_EQ(Prompts.Messages.back(), "Err 5 : Add buffer3");
    EXPECT_FALSE(Input.IsOpen());
    EXPECT_FALSE(Terminated);
}

}  // namespace
}  // namespace kelvaro::test
