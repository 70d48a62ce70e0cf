// The end-to-end tests' recording analyzer: marks, gaps and pitch found in synthetic recordings.
#include "e2e/WavToneAnalyzer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

namespace kelvaro {
namespace {

struct Burst {
    double StartS;
    double LengthS;
};

/// A tone in bursts with raised-cosine edges of rampS inside each burst, plus faint noise.
std::vector<float> Synthesize(int rateHz, double totalS, const std::vector<Burst>& bursts, double pitchHz,
                              double level, double rampS) {
    std::vector<float> samples(static_cast<std::size_t>(totalS * rateHz));
    std::uint32_t noiseSeed = 1;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / rateHz;
        double gain = 0.0;
        for (const Burst& burst : bursts) {
            const double into = t - burst.StartS;
            const double left = burst.StartS + burst.LengthS - t;
            if (into >= 0.0 && left > 0.0) {
                const double edge = std::min({into, left, rampS}) / rampS;
                gain = 0.5 - 0.5 * std::cos(std::numbers::pi * edge);
            }
        }
        noiseSeed = noiseSeed * 134775813u + 1u;
        const double noise = (static_cast<double>(noiseSeed) / 4294967296.0 - 0.5) * 0.002;
        samples[i] =
            static_cast<float>(level * gain * std::sin(2.0 * std::numbers::pi * pitchHz * t) + noise);
    }
    return samples;
}

void PutU32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void PutU16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

/// A 16-bit WAV file holding samples on every channel, with an odd-sized chunk before the data,
/// and a data size as a recorder that was stopped hard leaves it.
std::vector<std::uint8_t> WavBytes(const std::vector<float>& samples, int rateHz, int channels,
                                   std::uint32_t dataSize = 0xFFFFFFFFu) {
    std::vector<std::uint8_t> bytes{'R', 'I', 'F', 'F'};
    PutU32(bytes, 0);
    bytes.insert(bytes.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutU32(bytes, 16);
    PutU16(bytes, 1);
    PutU16(bytes, static_cast<std::uint16_t>(channels));
    PutU32(bytes, static_cast<std::uint32_t>(rateHz));
    PutU32(bytes, static_cast<std::uint32_t>(rateHz * channels * 2));
    PutU16(bytes, static_cast<std::uint16_t>(channels * 2));
    PutU16(bytes, 16);
    bytes.insert(bytes.end(), {'L', 'I', 'S', 'T'});
    PutU32(bytes, 3);
    bytes.insert(bytes.end(), {'a', 'b', 'c', 0});
    bytes.insert(bytes.end(), {'d', 'a', 't', 'a'});
    PutU32(bytes, dataSize);
    for (const float sample : samples) {
        for (int channel = 0; channel < channels; ++channel) {
            PutU16(bytes,
                   static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(sample * 32767.0))));
        }
    }
    return bytes;
}

ToneAnalysis AnalyzeWav(const std::vector<std::uint8_t>& bytes) {
    std::string error;
    const auto recording = WavToneAnalyzer::ParseWav(bytes, error);
    EXPECT_TRUE(recording) << error;
    return recording ? WavToneAnalyzer::Analyze(*recording) : ToneAnalysis{};
}

// Two dots of "E E" at 12 wpm: 2083 frames each, 9 dots of silence between them.
constexpr double kDotS = 2083.0 / 22050.0;
constexpr double kRampS = 50.0 / 22050.0;

TEST(WavToneAnalyzerTest, FindsMarksGapAndPitchInAResampledStereoRecording) {
    const std::vector<Burst> bursts{{0.5, kDotS}, {0.5 + 10 * kDotS, kDotS}};
    const auto analysis = AnalyzeWav(WavBytes(Synthesize(48000, 2.0, bursts, 800.0, 0.35, kRampS), 48000, 2));
    ASSERT_EQ(analysis.Marks.size(), 2u);
    // Edges are measured where the envelope is at half level: halfway up each ramp.
    EXPECT_NEAR(analysis.Marks[0].StartMs, (0.5 + kRampS / 2) * 1000, 0.3);
    EXPECT_NEAR(analysis.Marks[0].LengthMs, (kDotS - kRampS) * 1000, 0.3);
    EXPECT_NEAR(analysis.Marks[1].LengthMs, (kDotS - kRampS) * 1000, 0.3);
    EXPECT_NEAR(analysis.FrequencyHz, 800.0, 0.5);
    EXPECT_NEAR(analysis.LevelFs, 0.35, 0.01);

    ToneExpectation expectation;
    expectation.MarkCount = 2;
    expectation.MarkMs = {94.5};
    expectation.GapMs = {850.2};
    expectation.FrequencyHz = 800.0;
    expectation.MarkToleranceMs = 4.0;
    expectation.GapToleranceMs = 15.0;
    EXPECT_EQ(WavToneAnalyzer::Check(analysis, expectation), "");

    expectation.FrequencyHz = 700.0;
    EXPECT_EQ(WavToneAnalyzer::Check(analysis, expectation).rfind("tone at 800.0 Hz", 0), 0u);
    expectation.FrequencyHz.reset();
    expectation.GapMs = {820.0};
    EXPECT_EQ(WavToneAnalyzer::Check(analysis, expectation).rfind("gap 1 lasts", 0), 0u);
    expectation.MarkCount = 3;
    EXPECT_EQ(WavToneAnalyzer::Check(analysis, expectation).rfind("expected 3 marks, found 2", 0), 0u);
}

TEST(WavToneAnalyzerTest, ADropoutInsideAMarkSplitsIt) {
    const std::vector<Burst> bursts{{0.2, 0.1}, {0.305, 0.1}};
    const auto analysis = AnalyzeWav(WavBytes(Synthesize(22050, 0.6, bursts, 800.0, 0.35, 0.001), 22050, 1));
    ASSERT_EQ(analysis.Marks.size(), 2u);
    ToneExpectation expectation;
    expectation.MarkCount = 1;
    EXPECT_FALSE(WavToneAnalyzer::Check(analysis, expectation).empty());
}

TEST(WavToneAnalyzerTest, LowQuietToneIsMeasuredAsWell) {
    const std::vector<Burst> bursts{{0.1, 0.3}, {0.5, 0.1}, {0.7, 0.3}};
    const auto analysis = AnalyzeWav(WavBytes(Synthesize(44100, 1.2, bursts, 400.0, 0.05, 0.004), 44100, 1));
    ASSERT_EQ(analysis.Marks.size(), 3u);
    EXPECT_NEAR(analysis.FrequencyHz, 400.0, 0.5);
    ToneExpectation expectation;
    expectation.MarkMs = {296.0, 96.0, 296.0};
    expectation.GapMs = {104.0};
    expectation.MarkToleranceMs = expectation.GapToleranceMs = 0.5;
    EXPECT_EQ(WavToneAnalyzer::Check(analysis, expectation), "");
    expectation.MarkMs = {296.0, 96.0};
    EXPECT_EQ(WavToneAnalyzer::Check(analysis, expectation), "expected 2 marks, found 3");
}

TEST(WavToneAnalyzerTest, SilenceHasNoMarks) {
    const auto analysis = AnalyzeWav(WavBytes(Synthesize(22050, 0.5, {}, 800.0, 0.35, kRampS), 22050, 1));
    EXPECT_TRUE(analysis.Marks.empty());
    ToneExpectation expectation;
    expectation.FrequencyHz = 800.0;
    EXPECT_EQ(WavToneAnalyzer::Check(analysis, expectation), "no tone found in the recording");
    expectation = {};
    expectation.MarkCount = 0;
    EXPECT_EQ(WavToneAnalyzer::Check(analysis, expectation), "");
}

TEST(WavToneAnalyzerTest, ReadsOnly16BitPcmWav) {
    std::string error;
    const auto recording =
        WavToneAnalyzer::ParseWav(WavBytes(std::vector<float>(1000, 0.25f), 8000, 2, 1600), error);
    ASSERT_TRUE(recording) << error;
    EXPECT_EQ(recording->Samples.size(), 400u) << "the data size in the header counts when it was written";
    EXPECT_EQ(recording->FrameRateHz, 8000);
    EXPECT_EQ(recording->Channels, 2);
    EXPECT_NEAR(recording->Samples[0], 0.25, 0.001);

    const std::vector<std::uint8_t> text{'h', 'e', 'l', 'l', 'o'};
    EXPECT_FALSE(WavToneAnalyzer::ParseWav(text, error));
    EXPECT_EQ(error, "not a WAV file");
    auto eightBit = WavBytes({0.1f}, 8000, 1);
    eightBit[34] = 8;  // bits per sample
    EXPECT_FALSE(WavToneAnalyzer::ParseWav(eightBit, error));
    EXPECT_EQ(error, "not 16-bit PCM");
}

}  // namespace
}  // namespace kelvaro
