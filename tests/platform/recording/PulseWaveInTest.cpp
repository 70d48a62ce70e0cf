// The sound server's client as sound input: what paplay plays into the null sink is recorded
// from its monitor and decoded exactly. These tests run only in the audio test environment
// (scripts/with-audio-env.sh, which sets KELVARO_E2E=1); elsewhere they report themselves skipped.
#include "platform/PulseWaveIn.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/MorseTable.h"
#include "decoding/AudioToneDecoder.h"
#include "decoding/MonitorDecoding.h"
#include "platform/EventLoop.h"
#include "support/KeyedTone.h"
#include "support/RecordingMonitorDisplay.h"
#include "support/WavBytes.h"

extern char** environ;

namespace kelvaro {
namespace {

constexpr const char* kSkipReason = "needs the audio test environment: run under scripts/with-audio-env.sh";

/// Groups of one to five letters, figures and signs; "t" only ends a group (after a lone dash
/// the decoder's gap estimate is too long to see the next character gap).
std::string Groups(std::size_t characters) {
    const std::string set = "abcdefghijklmnopqrsuvwxyz0123456789.,?/=";
    std::uint32_t seed = 99;
    std::string text = "e";
    while (text.size() < characters) {
        seed = seed * 134775813U + 1U;
        for (std::size_t i = 0, n = 1 + (seed >> 16) % 5; i < n; ++i) {
            seed = seed * 134775813U + 1U;
            text += set[(seed >> 8) % set.size()];
        }
        text += (seed >> 24) % 4 == 0 ? "t " : " ";
    }
    text.pop_back();
    return text;
}

class PulseWaveInTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("KELVARO_E2E") == nullptr) {
            GTEST_SKIP() << kSkipReason;
        }
    }

    EventLoop Loop;
    PulseWaveIn Device{Loop};
};

TEST_F(PulseWaveInTest, DecodesWhatIsPlayedIntoTheSinkExactly) {
    const std::string text = Groups(200);
    test::KeyedToneShape shape;
    shape.RateHz = 44100;
    shape.SpeedWpm = 50;
    const std::filesystem::path wav =
        std::filesystem::temp_directory_path() / ("kelvaro-wavein-" + std::to_string(::getpid()) + ".wav");
    test::PutFileBytes(wav, test::WavFile({1, 1, 44100, 16}, test::KeyedTone(text, shape)));

    const MorseTable table;
    test::RecordingMonitorDisplay display;
    MonitorDecoding shared(table, display);
    AudioToneDecoder decoder(shared, display);
    decoder.Start();
    int blocks = 0;
    const Status opened = Device.Open(WaveIn::kDefaultDevice, [&](std::span<const std::uint8_t> frames) {
        ASSERT_EQ(frames.size(), 2u * WaveIn::kBlockFrames);
        ++blocks;
        decoder.AnalyseBuffer(frames);
    });
    ASSERT_TRUE(opened.Ok()) << opened.Code << " " << opened.Context;
    EXPECT_EQ(Device.Description().rfind("PulseAudio: kelvaro_sink.monitor, ", 0), 0u)
        << Device.Description();

    std::string file = wav.string();
    char program[] = "paplay";
    char* argv[] = {program, file.data(), nullptr};
    pid_t player = 0;
    ASSERT_EQ(posix_spawnp(&player, "paplay", nullptr, nullptr, argv, environ), 0);
    int playerStatus = 0;
    bool played = false;
    const auto expectedSeconds = static_cast<int>(test::KeyedTone(text, shape).size() / 44100) + 1;
    Loop.RunUntil(
        [&] {
            if (!played && waitpid(player, &playerStatus, WNOHANG) == player) {
                played = true;
            }
            return played && display.Memo.size() >= text.size();
        },
        (expectedSeconds + 10) * 1000);
    if (!played) {
        kill(player, SIGTERM);
        waitpid(player, &playerStatus, 0);
    }
    std::filesystem::remove(wav);
    ASSERT_TRUE(played);
    EXPECT_TRUE(WIFEXITED(playerStatus) && WEXITSTATUS(playerStatus) == 0);
    // The last character is printed after the long silence that ends it, with its blank.
    EXPECT_EQ(display.Memo, text + " ");
    EXPECT_GE(blocks, expectedSeconds * 9);
    Device.Close();
}

TEST_F(PulseWaveInTest, NoBlockReachesTheHandlerAfterClose) {
    int blocks = 0;
    ASSERT_TRUE(Device.Open(WaveIn::kDefaultDevice, [&](std::span<const std::uint8_t>) { ++blocks; }).Ok());
    EXPECT_TRUE(Device.IsOpen());
    ASSERT_TRUE(Loop.RunUntil([&] { return blocks >= 3; }, 3000));
    Device.Close();
    const int heard = blocks;
    Loop.RunUntil([] { return false; }, 300);
    EXPECT_EQ(blocks, heard);
    EXPECT_FALSE(Device.IsOpen());
    EXPECT_EQ(Device.Description(), "PulseAudio: not open");
}

TEST_F(PulseWaveInTest, AnUnknownSourceCannotBeOpened) {
    const Status status = Device.Open(9999, [](std::span<const std::uint8_t>) {});
    EXPECT_FALSE(status.Ok());
    EXPECT_NE(status.Code, 0);
    EXPECT_EQ(status.Context, WaveIn::kCantOpenContext);
    EXPECT_FALSE(Device.IsOpen());
}

}  // namespace
}  // namespace kelvaro
