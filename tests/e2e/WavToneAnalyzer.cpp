// Finds the tone marks in a recording of the program's sound and checks them against a test's expectations.
#include "e2e/WavToneAnalyzer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numbers>

namespace kelvaro {

namespace {

/// Below this amplitude (about -50 dBFS) a recording counts as silent.
constexpr double kSilentLevelFs = 0.003;
/// Blocks for the first, coarse look at where the sound is.
constexpr double kBlockMs = 10.0;
/// The envelope is smoothed over whole periods of the tone covering at least this long.
constexpr double kSmoothingMs = 2.0;
/// Frequencies searched, and how much tone is used to find the frequency.
constexpr double kLowestHz = 50.0;
constexpr double kHighestHz = 5000.0;
constexpr double kFrequencySampleS = 1.0;
/// Shorter marks are clicks, not tone.
constexpr double kShortestMarkMs = 1.0;

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool HasId(std::span<const std::uint8_t> bytes, std::size_t at, const char* id) {
    return std::equal(id, id + 4, bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

std::string Format(const char* format, double a, double b = 0.0, double c = 0.0) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

/// The tone's power at frequencyHz over samples (Goertzel).
double PowerAt(std::span<const float> samples, double frequencyHz, int frameRateHz) {
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequencyHz / frameRateHz);
    double previous = 0.0;
    double beforePrevious = 0.0;
    for (const float sample : samples) {
        const double current = sample + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
}

/// The strongest frequency over a set of stretches of tone, to a twentieth of a hertz.
double StrongestFrequency(const std::vector<std::span<const float>>& stretches, int frameRateHz) {
    const auto totalPower = [&](double frequencyHz) {
        double power = 0.0;
        for (const auto& stretch : stretches) {
            power += PowerAt(stretch, frequencyHz, frameRateHz);
        }
        return power;
    };
    const double highestHz = std::min(kHighestHz, 0.45 * frameRateHz);
    double bestHz = kLowestHz;
    double bestPower = -1.0;
    for (double frequencyHz = kLowestHz; frequencyHz <= highestHz; frequencyHz += 5.0) {
        if (const double power = totalPower(frequencyHz); power > bestPower) {
            bestPower = power;
            bestHz = frequencyHz;
        }
    }
    const double coarseHz = bestHz;
    for (double frequencyHz = coarseHz - 5.0; frequencyHz <= coarseHz + 5.0; frequencyHz += 0.05) {
        if (const double power = totalPower(frequencyHz); power > bestPower) {
            bestPower = power;
            bestHz = frequencyHz;
        }
    }
    return bestHz;
}

/// The amplitude of the tone at frequencyHz around each sample, averaged over whole periods.
std::vector<double> Envelope(const std::vector<float>& samples, double frequencyHz, int frameRateHz) {
    const std::size_t count = samples.size();
    std::vector<double> inPhaseSum(count + 1, 0.0);
    std::vector<double> quadratureSum(count + 1, 0.0);
    const double step = 2.0 * std::numbers::pi * frequencyHz / frameRateHz;
    for (std::size_t i = 0; i < count; ++i) {
        const double phase = std::fmod(step * static_cast<double>(i), 2.0 * std::numbers::pi);
        inPhaseSum[i + 1] = inPhaseSum[i] + samples[i] * std::cos(phase);
        quadratureSum[i + 1] = quadratureSum[i] + samples[i] * std::sin(phase);
    }
    const double periods = std::max(1.0, std::ceil(kSmoothingMs / 1000.0 * frequencyHz));
    const auto halfWidth = static_cast<std::size_t>(std::lround(periods * frameRateHz / frequencyHz / 2.0));
    std::vector<double> envelope(count, 0.0);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t first = i >= halfWidth ? i - halfWidth : 0;
        const std::size_t last = std::min(count, i + halfWidth + 1);
        const double width = static_cast<double>(last - first);
        const double inPhase = (inPhaseSum[last] - inPhaseSum[first]) / width;
        const double quadrature = (quadratureSum[last] - quadratureSum[first]) / width;
        envelope[i] = 2.0 * std::sqrt(inPhase * inPhase + quadrature * quadrature);
    }
    return envelope;
}

bool CheckLengths(const char* what, const std::vector<double>& measuredMs,
                  const std::vector<double>& expectedMs, double toleranceMs, std::string& reason) {
    if (expectedMs.empty()) {
        return true;
    }
    if (expectedMs.size() > 1 && expectedMs.size() != measuredMs.size()) {
        reason = std::string("expected ") + std::to_string(expectedMs.size()) + " " + what + "s, found " +
                 std::to_string(measuredMs.size());
        return false;
    }
    for (std::size_t i = 0; i < measuredMs.size(); ++i) {
        const double wantedMs = expectedMs.size() == 1 ? expectedMs[0] : expectedMs[i];
        if (std::abs(measuredMs[i] - wantedMs) > toleranceMs) {
            reason =
                std::string(what) + " " + std::to_string(i + 1) +
                Format(" lasts %.1f ms, expected %.1f +/- %.1f ms", measuredMs[i], wantedMs, toleranceMs);
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<MonoRecording> WavToneAnalyzer::ParseWav(std::span<const std::uint8_t> bytes,
                                                       std::string& error) {
    if (bytes.size() < 12 || !HasId(bytes, 0, "RIFF") || !HasId(bytes, 8, "WAVE")) {
        error = "not a WAV file";
        return std::nullopt;
    }
    MonoRecording recording;
    int bitsPerSample = 0;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::size_t size = ReadU32(bytes, at + 4);
        const std::size_t body = at + 8;
        if (HasId(bytes, at, "fmt ")) {
            if (size < 16 || body + 16 > bytes.size()) {
                error = "format chunk too short";
                return std::nullopt;
            }
            const std::uint16_t formatTag = ReadU16(bytes, body);
            const bool extensiblePcm = formatTag == 0xFFFE && size >= 40 && body + 26 <= bytes.size() &&
                                       ReadU16(bytes, body + 24) == 1;
            if (formatTag != 1 && !extensiblePcm) {
                error = "not PCM (format " + std::to_string(formatTag) + ")";
                return std::nullopt;
            }
            recording.Channels = ReadU16(bytes, body + 2);
            recording.FrameRateHz = static_cast<int>(ReadU32(bytes, body + 4));
            bitsPerSample = ReadU16(bytes, body + 14);
        } else if (HasId(bytes, at, "data")) {
            if (bitsPerSample != 16 || recording.Channels < 1 || recording.FrameRateHz <= 0) {
                error = bitsPerSample == 0 ? "data before format" : "not 16-bit PCM";
                return std::nullopt;
            }
            std::size_t dataBytes = bytes.size() - body;
            if (size != 0 && size != 0xFFFFFFFFu && size <= dataBytes) {
                dataBytes = size;
            }
            const std::size_t frameBytes = 2u * static_cast<std::size_t>(recording.Channels);
            const std::size_t frames = dataBytes / frameBytes;
            recording.Samples.resize(frames);
            for (std::size_t frame = 0; frame < frames; ++frame) {
                double sum = 0.0;
                for (int channel = 0; channel < recording.Channels; ++channel) {
                    sum +=
                        static_cast<std::int16_t>(ReadU16(bytes, body + frame * frameBytes + 2u * channel));
                }
                recording.Samples[frame] = static_cast<float>(sum / recording.Channels / 32768.0);
            }
            return recording;
        }
        at = body + size + (size & 1u);
    }
    error = "no data chunk";
    return std::nullopt;
}

std::optional<MonoRecording> WavToneAnalyzer::ReadWavFile(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    auto recording = ParseWav(bytes, error);
    if (!recording) {
        error = path + ": " + error;
    }
    return recording;
}

ToneAnalysis WavToneAnalyzer::Analyze(const MonoRecording& recording) {
    ToneAnalysis analysis;
    const auto& samples = recording.Samples;
    const int rate = recording.FrameRateHz;
    if (samples.empty() || rate <= 0) {
        return analysis;
    }

    // Where the sound is loudest, in blocks: those stretches give the frequency.
    const auto blockFrames = static_cast<std::size_t>(std::max(1.0, kBlockMs / 1000.0 * rate));
    std::vector<double> blockRms;
    for (std::size_t first = 0; first < samples.size(); first += blockFrames) {
        const std::size_t last = std::min(samples.size(), first + blockFrames);
        double sum = 0.0;
        for (std::size_t i = first; i < last; ++i) {
            sum += static_cast<double>(samples[i]) * samples[i];
        }
        blockRms.push_back(std::sqrt(sum / static_cast<double>(last - first)));
    }
    const double loudestRms = *std::max_element(blockRms.begin(), blockRms.end());
    if (loudestRms * std::numbers::sqrt2 < kSilentLevelFs) {
        return analysis;
    }
    std::vector<std::span<const float>> stretches;
    std::size_t framesTaken = 0;
    const auto framesWanted = static_cast<std::size_t>(kFrequencySampleS * rate);
    for (std::size_t block = 0; block < blockRms.size() && framesTaken < framesWanted; ++block) {
        if (blockRms[block] < 0.5 * loudestRms) {
            continue;
        }
        std::size_t end = block;
        while (end + 1 < blockRms.size() && blockRms[end + 1] >= 0.5 * loudestRms) {
            ++end;
        }
        const std::size_t first = block * blockFrames;
        const std::size_t last = std::min(samples.size(), (end + 1) * blockFrames);
        stretches.emplace_back(samples.data() + first, last - first);
        framesTaken += last - first;
        block = end;
    }
    analysis.FrequencyHz = StrongestFrequency(stretches, rate);

    // The marks: where the tone's envelope is above half the marks' level.
    const std::vector<double> envelope = Envelope(samples, analysis.FrequencyHz, rate);
    const double peak = *std::max_element(envelope.begin(), envelope.end());
    std::vector<double> loud;
    std::copy_if(envelope.begin(), envelope.end(), std::back_inserter(loud),
                 [peak](double value) { return value > 0.3 * peak; });
    std::nth_element(loud.begin(), loud.begin() + static_cast<std::ptrdiff_t>(loud.size() / 2), loud.end());
    analysis.LevelFs = loud[loud.size() / 2];
    const double threshold = 0.5 * analysis.LevelFs;

    const auto crossing = [&](std::size_t i) {
        // Where the envelope crosses the threshold between samples i - 1 and i.
        const double before = envelope[i - 1];
        const double after = envelope[i];
        return static_cast<double>(i - 1) + (threshold - before) / (after - before);
    };
    const double framesPerMs = rate / 1000.0;
    bool inMark = envelope[0] >= threshold;
    double startFrame = 0.0;
    for (std::size_t i = 1; i <= envelope.size(); ++i) {
        const bool atEnd = i == envelope.size();
        if (!inMark && !atEnd && envelope[i] >= threshold) {
            inMark = true;
            startFrame = crossing(i);
        } else if (inMark && (atEnd || envelope[i] < threshold)) {
            inMark = false;
            const double endFrame = atEnd ? static_cast<double>(envelope.size()) : crossing(i);
            const double lengthMs = (endFrame - startFrame) / framesPerMs;
            if (lengthMs >= kShortestMarkMs) {
                analysis.Marks.push_back({startFrame / framesPerMs, lengthMs});
            }
        }
    }
    return analysis;
}

std::string WavToneAnalyzer::Check(const ToneAnalysis& analysis, const ToneExpectation& expectation) {
    const auto& marks = analysis.Marks;
    if (expectation.MarkCount && static_cast<int>(marks.size()) != *expectation.MarkCount) {
        std::string reason = "expected " + std::to_string(*expectation.MarkCount) + " marks, found " +
                             std::to_string(marks.size());
        for (std::size_t i = 0; i < marks.size() && i < 8; ++i) {
            reason += Format(i == 0 ? " (%.1f ms long at %.1f ms" : ", %.1f ms at %.1f ms", marks[i].LengthMs,
                             marks[i].StartMs);
        }
        return marks.empty() ? reason : reason + (marks.size() > 8 ? ", ...)" : ")");
    }
    const bool wantsTone =
        !expectation.MarkMs.empty() || !expectation.GapMs.empty() || expectation.FrequencyHz;
    if (wantsTone && marks.empty()) {
        return "no tone found in the recording";
    }
    std::vector<double> markMs;
    std::vector<double> gapMs;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        markMs.push_back(marks[i].LengthMs);
        if (i > 0) {
            gapMs.push_back(marks[i].StartMs - (marks[i - 1].StartMs + marks[i - 1].LengthMs));
        }
    }
    std::string reason;
    if (!CheckLengths("mark", markMs, expectation.MarkMs, expectation.MarkToleranceMs, reason) ||
        !CheckLengths("gap", gapMs, expectation.GapMs, expectation.GapToleranceMs, reason)) {
        return reason;
    }
    if (expectation.FrequencyHz &&
        std::abs(analysis.FrequencyHz - *expectation.FrequencyHz) > expectation.FrequencyToleranceHz) {
        return Format("tone at %.1f Hz, expected %.1f +/- %.1f Hz", analysis.FrequencyHz,
                      *expectation.FrequencyHz, expectation.FrequencyToleranceHz);
    }
    return {};
}

std::string WavToneAnalyzer::Describe(const ToneAnalysis& analysis) {
    if (analysis.Marks.empty()) {
        return "no tone\n";
    }
    std::string text = Format("tone %.1f Hz, level %.3f of full scale, %.0f marks\n", analysis.FrequencyHz,
                              analysis.LevelFs, static_cast<double>(analysis.Marks.size()));
    for (std::size_t i = 0; i < analysis.Marks.size(); ++i) {
        const ToneMark& mark = analysis.Marks[i];
        text += "mark " + std::to_string(i + 1) +
                Format(": start %.1f ms, length %.1f ms", mark.StartMs, mark.LengthMs);
        if (i > 0) {
            const ToneMark& before = analysis.Marks[i - 1];
            text += Format(", gap %.1f ms", mark.StartMs - before.StartMs - before.LengthMs);
        }
        text += "\n";
    }
    return text;
}

}  // namespace kelvaro
