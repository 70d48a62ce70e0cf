// Keyed tone for decoder tests: a text sent in perfect Morse timing at any sample rate.
#pragma once

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "core/MorseTable.h"

namespace kelvaro::test {

struct KeyedToneShape {
    int RateHz = 44100;
    int SpeedWpm = 20;
    double PitchHz = 700.0;
    double Amplitude = 0.8;
    /// The gap between words, in dot units.
    int WordGapUnits = 12;
    double RampMs = 4.0;
};

/// Mono samples: 100 ms of silence, then the text (its 8-bit codes) keyed with dot = 1200 / wpm
/// ms, raised-cosine edges inside each element.
inline std::vector<float> KeyedTone(const std::string& text, const KeyedToneShape& shape) {
    const MorseTable table;
    const double unitFrames = shape.RateHz * 1.2 / shape.SpeedWpm;
    const double rampFrames = shape.RateHz * shape.RampMs / 1000.0;
    std::vector<float> out(static_cast<std::size_t>(shape.RateHz / 10), 0.0F);
    double clock = double(out.size());
    const auto silence = [&](double units) {
        clock += units * unitFrames;
        out.resize(static_cast<std::size_t>(std::lround(clock)), 0.0F);
    };
    const auto tone = [&](double units) {
        const auto start = static_cast<std::size_t>(std::lround(clock));
        clock += units * unitFrames;
        const auto end = static_cast<std::size_t>(std::lround(clock));
        for (std::size_t i = start; i < end; ++i) {
            const double fromEdge = std::min(double(i - start), double(end - 1 - i));
            const double gain =
                fromEdge >= rampFrames ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * fromEdge / rampFrames);
            out.push_back(static_cast<float>(
                shape.Amplitude * gain *
                std::sin(2.0 * std::numbers::pi * shape.PitchHz * double(i) / shape.RateHz)));
        }
    };
    bool first = true;
    for (const char c : text) {
        if (c == ' ') {
            silence(shape.WordGapUnits - 3);
            continue;
        }
        if (!first) {
            silence(3);
        }
        first = false;
        const std::string& pattern = table.Pattern(static_cast<std::uint8_t>(c));
        for (std::size_t e = 0; e < pattern.size(); ++e) {
            if (e > 0) {
                silence(1);
            }
            tone(pattern[e] == '-' ? 3 : 1);
        }
    }
    return out;
}

}  // namespace kelvaro::test
