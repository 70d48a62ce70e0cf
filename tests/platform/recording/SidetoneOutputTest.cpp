// The sidetone output starts a tone after silence at the server's play position: recorded from
// the null sink's monitor, every tone keeps its whole length, none is cut at its start. Runs only
// in the audio test environment (scripts/with-audio-env.sh); elsewhere it reports itself skipped.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/PulseWaveIn.h"
#include "platform/PulseWaveOut.h"

namespace kelvaro {
namespace {

constexpr int kToneFrames = 3308;  // 150 ms at 22050 Hz
constexpr int kTones = 8;

std::vector<Sample> Tone() {
    std::vector<Sample> samples;
    for (int i = 0; i < kToneFrames; ++i) {
        const auto value = static_cast<Sample>(
            std::lround(16000.0 * std::sin(2.0 * std::numbers::pi * 700.0 * i / 22050.0)));
        samples.push_back(value);
        samples.push_back(value);
    }
    return samples;
}

TEST(SidetoneOutputTest, EveryToneAfterSilenceIsHeardWhole) {
    if (std::getenv("KELVARO_E2E") == nullptr) {
        GTEST_SKIP() << "needs the audio test environment: run under scripts/with-audio-env.sh";
    }
    EventLoop loop;
    PulseWaveIn input(loop);
    // Lengths of the tone runs heard, in recorded frames (11025 Hz), from a 30-frame peak hold.
    std::vector<int> runs;
    int run = 0;
    std::vector<int> window(30, 0);
    std::size_t at = 0;
    ASSERT_TRUE(input
                    .Open(WaveIn::kDefaultDevice,
                          [&](std::span<const std::uint8_t> frames) {
                              for (std::size_t i = 0; i < frames.size(); i += 2) {
                                  window[at++ % window.size()] = std::abs(int{frames[i]} - 128);
                                  const bool tone = *std::max_element(window.begin(), window.end()) >= 32;
                                  if (tone) {
                                      ++run;
                                  } else if (run > 0) {
                                      runs.push_back(run);
                                      run = 0;
                                  }
                              }
                          })
                    .Ok());
    PulseWaveOut output(loop, PulseWaveOut::kSidetoneLatencyS);
    int done = 0;
    ASSERT_TRUE(output.Open(WaveOut::kDefaultDevice, [&done](int) { ++done; }).Ok());
    loop.RunUntil([] { return false; }, 500);
    const std::vector<Sample> tone = Tone();
    for (int i = 0; i < kTones; ++i) {
        ASSERT_TRUE(output.Write(1, tone).Ok());
        ASSERT_TRUE(loop.RunUntil([&done, i] { return done == i + 1; }, 2000));
        loop.RunUntil([] { return false; }, 250 + i * 17);
    }
    loop.RunUntil([&runs] { return runs.size() >= kTones; }, 2000);
    output.Close();
    input.Close();
    ASSERT_EQ(runs.size(), static_cast<std::size_t>(kTones));
    for (const int frames : runs) {
        // 1654 frames of tone, plus the 29 frames the peak hold adds, within 2 ms.
        EXPECT_NEAR(frames, 1654 + 29, 22) << "a tone of 150 ms was heard for " << frames << " frames";
    }
}

}  // namespace
}  // namespace kelvaro
