// Converting recorded sound to the decoder's 11025 Hz 8-bit stereo blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "decoding/RecordingConverter.h"

namespace kelvaro {
namespace {

constexpr std::size_t kBlockBytes = 2 * RecordingConverter::kBlockFrames;

/// Interleaved samples: a sine on the left, another (or silence) on the right.
std::vector<float> Sines(int rateHz, int channels, double seconds, double leftHz, double leftAmplitude,
                         double rightHz = 0.0, double rightAmplitude = 0.0) {
    std::vector<float> samples;
    const auto frames = static_cast<std::size_t>(seconds * rateHz);
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = double(i) / rateHz;
        samples.push_back(static_cast<float>(leftAmplitude * std::sin(2 * std::numbers::pi * leftHz * t)));
        if (channels == 2) {
            samples.push_back(
                static_cast<float>(rightAmplitude * std::sin(2 * std::numbers::pi * rightHz * t)));
        }
    }
    return samples;
}

/// Every output byte, the input pushed in pieces of pieceSamples.
std::vector<std::uint8_t> Convert(int rateHz, int channels, const std::vector<float>& samples,
                                  std::size_t pieceSamples = 4096, int* blocks = nullptr) {
    RecordingConverter converter(rateHz, channels);
    std::vector<std::uint8_t> out;
    int count = 0;
    const RecordingConverter::BlockHandler keep = [&](std::span<const std::uint8_t> block) {
        EXPECT_EQ(block.size(), kBlockBytes);
        out.insert(out.end(), block.begin(), block.end());
        ++count;
    };
    for (std::size_t at = 0; at < samples.size(); at += pieceSamples) {
        const std::size_t size = std::min(pieceSamples, samples.size() - at);
        converter.Push(std::span<const float>(samples).subspan(at, size), keep);
    }
    converter.Flush(keep);
    if (blocks != nullptr) {
        *blocks = count;
    }
    return out;
}

/// The largest distance from silence on one channel (0 left, 1 right) from frame `from` on.
int Peak(const std::vector<std::uint8_t>& bytes, int channel, std::size_t from, std::size_t to) {
    int peak = 0;
    for (std::size_t frame = from; frame < to; ++frame) {
        peak = std::max(peak, std::abs(int(bytes[2 * frame + std::size_t(channel)]) - 128));
    }
    return peak;
}

TEST(RecordingConverterTest, ToneKeepsItsLevelAtEveryRate) {
    for (const int rate : {8000, 11025, 22050, 44100, 48000, 96000, 44056}) {
        SCOPED_TRACE(rate);
        const auto bytes = Convert(rate, 1, Sines(rate, 1, 1.0, 1000.0, 0.5));
        // Half of full scale is 64 steps from silence; mono feeds both channels alike.
        EXPECT_NEAR(Peak(bytes, 0, 1000, 10000), 64, 1);
        EXPECT_NEAR(Peak(bytes, 1, 1000, 10000), 64, 1);
        // One second in, one second out: 11025 frames rounded up to whole blocks of silence.
        EXPECT_EQ(bytes.size(), 10 * kBlockBytes);
        EXPECT_EQ(Peak(bytes, 0, 11030, 11100), 0);
    }
}

TEST(RecordingConverterTest, SoundAboveTheNewBandIsFilteredOut) {
    // 7 and 9 kHz would fold back to 4 and 2 kHz at 11025 Hz; 4 kHz is inside the band.
    for (const int rate : {44100, 48000}) {
        SCOPED_TRACE(rate);
        EXPECT_LE(Peak(Convert(rate, 1, Sines(rate, 1, 0.5, 7000.0, 0.9)), 0, 500, 5000), 1);
        EXPECT_LE(Peak(Convert(rate, 1, Sines(rate, 1, 0.5, 9000.0, 0.9)), 0, 500, 5000), 1);
        EXPECT_NEAR(Peak(Convert(rate, 1, Sines(rate, 1, 0.5, 4000.0, 0.9)), 0, 500, 5000), 115, 2);
    }
}

TEST(RecordingConverterTest, StereoKeepsTheChannelsApart) {
    const auto bytes = Convert(48000, 2, Sines(48000, 2, 0.5, 800.0, 0.25, 0.0, 0.0));
    EXPECT_NEAR(Peak(bytes, 0, 500, 5000), 32, 1);
    EXPECT_EQ(Peak(bytes, 1, 0, bytes.size() / 2), 0);
    // Channels after the first two are left out.
    std::vector<float> four;
    for (const float s : Sines(44100, 1, 0.2, 600.0, 0.5)) {
        four.insert(four.end(), {0.0F, s, 0.9F, -0.9F});
    }
    const auto fromFour = Convert(44100, 4, four);
    EXPECT_EQ(Peak(fromFour, 0, 0, fromFour.size() / 2), 0);
    EXPECT_NEAR(Peak(fromFour, 1, 300, 2000), 64, 1);
}

TEST(RecordingConverterTest, SameBytesHoweverTheInputIsCut) {
    const auto samples = Sines(44100, 2, 0.7, 650.0, 0.7, 1200.0, 0.3);
    int blocks = 0;
    const auto whole = Convert(44100, 2, samples, samples.size(), &blocks);
    EXPECT_EQ(blocks, 7);                             // 7718 frames
    EXPECT_EQ(Convert(44100, 2, samples, 1), whole);  // half a frame at a time
    EXPECT_EQ(Convert(44100, 2, samples, 333), whole);
    EXPECT_EQ(Convert(44100, 2, samples, 2 * 4410), whole);
}

TEST(RecordingConverterTest, SoundKeepsItsTimeAndTheConverterStartsAfreshAfterFlush) {
    // A tone that starts at 0.25 s is heard from output frame 2756 on, not before.
    for (const int rate : {44100, 48000, 8000}) {
        SCOPED_TRACE(rate);
        auto samples = Sines(rate, 1, 0.5, 500.0, 0.8);
        std::fill(samples.begin(), samples.begin() + rate / 4, 0.0F);
        RecordingConverter converter(rate, 1);
        for (int run = 0; run < 2; ++run) {
            std::vector<std::uint8_t> out;
            const RecordingConverter::BlockHandler keep = [&](std::span<const std::uint8_t> block) {
                out.insert(out.end(), block.begin(), block.end());
            };
            converter.Push(samples, keep);
            converter.Flush(keep);
            EXPECT_LE(Peak(out, 0, 0, 2756 - 10), 1);
            EXPECT_GE(Peak(out, 0, 2756 - 1, 2756 + 10), 50);
        }
    }
}

TEST(RecordingConverterTest, FullScaleIsClippedAndSilenceIs128) {
    const std::vector<float> loud(44100, 1.5F);
    const auto bytes = Convert(44100, 1, loud);
    EXPECT_EQ(bytes[2 * 5000], 255);
    const auto quiet = Convert(44100, 1, std::vector<float>(44100, -2.0F));
    EXPECT_EQ(quiet[2 * 5000], 0);
    const auto silent = Convert(22050, 2, std::vector<float>(2000, 0.0F));
    EXPECT_TRUE(std::all_of(silent.begin(), silent.end(), [](std::uint8_t b) { return b == 128; }));
}

}  // namespace
}  // namespace kelvaro
