// Finds the tone marks in a recording of the program's sound and checks them against a test's expectations.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kelvaro {

/// A recording mixed down to one channel, samples in -1 .. 1.
struct MonoRecording {
    int FrameRateHz = 0;
    int Channels = 0;  // in the file, before mixing
    std::vector<float> Samples;
};

/// One stretch of tone, measured between the points where its envelope crosses half its level.
struct ToneMark {
    double StartMs = 0.0;
    double LengthMs = 0.0;
};

struct ToneAnalysis {
    std::vector<ToneMark> Marks;
    double FrequencyHz = 0.0;  // 0 when no tone was found
    double LevelFs = 0.0;      // the marks' amplitude, as a fraction of full scale
};

/// What a test expects. A list of one length applies to every mark (or gap); a longer list is
/// compared one by one and must have one length per mark (or per gap between marks).
struct ToneExpectation {
    std::optional<int> MarkCount;
    std::vector<double> MarkMs;
    std::vector<double> GapMs;
    std::optional<double> FrequencyHz;
    double MarkToleranceMs = 5.0;
    double GapToleranceMs = 5.0;
    double FrequencyToleranceHz = 10.0;
};

/// Works on recordings made through a sound server: any frame rate (the server resamples), one or
/// more channels, a low level, silence before and after. A mark's envelope is the tone's
/// amplitude at its own frequency, found from the loudest part of the recording, so the
/// edges are measured to a fraction of a millisecond even at low pitch.
class WavToneAnalyzer {
public:
    /// Reads 16-bit PCM WAV data. A data chunk whose size was never filled in (a recorder that
    /// was stopped hard) is taken to run to the end of the file. nullopt and error on failure.
    static std::optional<MonoRecording> ParseWav(std::span<const std::uint8_t> bytes, std::string& error);
    static std::optional<MonoRecording> ReadWavFile(const std::string& path, std::string& error);

    static ToneAnalysis Analyze(const MonoRecording& recording);

    /// Empty when the analysis meets every expectation, otherwise the first reason it does not.
    static std::string Check(const ToneAnalysis& analysis, const ToneExpectation& expectation);

    /// One line per mark and one for the tone, for a person reading a test log.
    static std::string Describe(const ToneAnalysis& analysis);
};

}  // namespace kelvaro
