// Turns recorded or read samples of any rate into the audio decoder's input.
#include "decoding/RecordingConverter.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numbers>
#include <numeric>

#include "core/Rounding.h"

namespace kelvaro {

namespace {

constexpr int kZeroCrossings = 16;   // of the sinc, on each side
constexpr double kKaiserBeta = 8.0;  // about 80 dB of stop band
constexpr std::size_t kMaxTableWeights = std::size_t{1} << 21;
constexpr std::int64_t kHistoryKeep = 4096;

double BesselI0(double x) {
    double sum = 1.0;
    double term = 1.0;
    for (int k = 1; k < 50; ++k) {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
        if (term < sum * 1e-17) {
            break;
        }
    }
    return sum;
}

std::uint8_t Quantise(float sample) {
    const auto level = std::clamp<std::int64_t>(RoundToInt(double(sample) * 128.0), -128, 127);
    return static_cast<std::uint8_t>(level + 128);
}

}  // namespace

RecordingConverter::RecordingConverter(int inputRateHz, int inputChannels)
    : InputChannels(std::max(inputChannels, 1)) {
    assert(inputRateHz >= 1 && inputChannels >= 1);
    const std::int64_t rate = std::max(inputRateHz, 1);
    const std::int64_t common = std::gcd(rate, std::int64_t{kOutputRateHz});
    Up = kOutputRateHz / common;
    Down = rate / common;
    Cutoff = 0.45 * double(std::min<std::int64_t>(rate, kOutputRateHz)) / double(rate);
    HalfTaps = static_cast<int>(std::ceil(kZeroCrossings / (2.0 * Cutoff)));
    const std::size_t rowWeights = 2 * static_cast<std::size_t>(HalfTaps);
    if (static_cast<std::size_t>(Up) * rowWeights <= kMaxTableWeights) {
        Table.resize(static_cast<std::size_t>(Up) * rowWeights);
    }
    Scratch.resize(rowWeights);
    for (std::int64_t phase = 0; phase < Up && !Table.empty(); ++phase) {
        ComputeWeights(phase, Table.data() + static_cast<std::size_t>(phase) * rowWeights);
    }
    Reset();
}

void RecordingConverter::Reset() {
    // The history starts with silence, so the first outputs see a whole filter.
    Left.assign(static_cast<std::size_t>(HalfTaps), 0.0F);
    Right.assign(static_cast<std::size_t>(HalfTaps), 0.0F);
    HistoryStart = -HalfTaps;
    InputFrames = 0;
    NextBase = 0;
    NextPhase = 0;
    Pending.clear();
    Block.clear();
}

const float* RecordingConverter::WeightsFor(std::int64_t phase) {
    const std::size_t rowWeights = 2 * static_cast<std::size_t>(HalfTaps);
    if (!Table.empty()) {
        return Table.data() + static_cast<std::size_t>(phase) * rowWeights;
    }
    ComputeWeights(phase, Scratch.data());
    return Scratch.data();
}

void RecordingConverter::ComputeWeights(std::int64_t phase, float* row) const {
    // Weight t belongs to input base - HalfTaps + 1 + t for output time base + phase / Up.
    const std::size_t rowWeights = 2 * static_cast<std::size_t>(HalfTaps);
    const double fraction = double(phase) / double(Up);
    const double windowScale = BesselI0(kKaiserBeta);
    std::vector<double> weights(rowWeights);
    double sum = 0.0;
    for (std::size_t t = 0; t < rowWeights; ++t) {
        const double tau = fraction + double(HalfTaps - 1) - double(t);
        const double x = 2.0 * Cutoff * tau;
        const double sinc = x == 0.0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
        const double ratio = tau / double(HalfTaps);
        const double window = std::abs(ratio) >= 1.0
                                  ? 0.0
                                  : BesselI0(kKaiserBeta * std::sqrt(1.0 - ratio * ratio)) / windowScale;
        weights[t] = sinc * window;
        sum += weights[t];
    }
    for (std::size_t t = 0; t < rowWeights; ++t) {
        row[t] = static_cast<float>(weights[t] / sum);  // a steady level passes unchanged
    }
}

void RecordingConverter::Push(std::span<const float> samples, const BlockHandler& onBlock) {
    const auto channels = static_cast<std::size_t>(InputChannels);
    for (const float sample : samples) {
        Pending.push_back(sample);
        if (Pending.size() < channels) {
            continue;
        }
        Left.push_back(Pending[0]);
        Right.push_back(channels > 1 ? Pending[1] : Pending[0]);
        Pending.clear();
        ++InputFrames;
    }
    Produce(InputFrames, onBlock);
}

void RecordingConverter::Flush(const BlockHandler& onBlock) {
    Pending.clear();
    const std::int64_t realFrames = InputFrames;
    Left.insert(Left.end(), static_cast<std::size_t>(HalfTaps), 0.0F);
    Right.insert(Right.end(), static_cast<std::size_t>(HalfTaps), 0.0F);
    Produce(realFrames, onBlock);
    if (!Block.empty()) {
        Block.resize(2 * static_cast<std::size_t>(kBlockFrames), kSilence);
        onBlock(Block);
    }
    Reset();
}

void RecordingConverter::Produce(std::int64_t endInput, const BlockHandler& onBlock) {
    const std::int64_t available = HistoryStart + static_cast<std::int64_t>(Left.size());
    const std::size_t rowWeights = 2 * static_cast<std::size_t>(HalfTaps);
    // Output n needs the inputs up to NextBase + HalfTaps, and stands for a time before endInput.
    while (NextBase + HalfTaps < available && NextBase < endInput) {
        const float* weights = WeightsFor(NextPhase);
        const auto first = static_cast<std::size_t>(NextBase - HalfTaps + 1 - HistoryStart);
        float left = 0.0F;
        float right = 0.0F;
        for (std::size_t t = 0; t < rowWeights; ++t) {
            left += weights[t] * Left[first + t];
            right += weights[t] * Right[first + t];
        }
        AppendFrame(left, right, onBlock);
        NextPhase += Down;
        NextBase += NextPhase / Up;
        NextPhase %= Up;
    }
    const std::int64_t stale = NextBase - HalfTaps + 1 - HistoryStart;
    if (stale > kHistoryKeep) {
        Left.erase(Left.begin(), Left.begin() + static_cast<std::ptrdiff_t>(stale));
        Right.erase(Right.begin(), Right.begin() + static_cast<std::ptrdiff_t>(stale));
        HistoryStart += stale;
    }
}

void RecordingConverter::AppendFrame(float left, float right, const BlockHandler& onBlock) {
    Block.push_back(Quantise(left));
    Block.push_back(Quantise(right));
    if (Block.size() == 2 * static_cast<std::size_t>(kBlockFrames)) {
        onBlock(Block);
        Block.clear();
    }
}

}  // namespace kelvaro
