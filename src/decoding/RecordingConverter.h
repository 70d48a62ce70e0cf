// Turns recorded or read samples of any rate into the audio decoder's input.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace kelvaro {

/// Resamples to 11025 frames per second with a windowed-sinc low-pass (Kaiser window, cut at
/// 45 % of the lower of the two rates, so nothing folds back into the decoder's band), then
/// quantises to 8-bit unsigned stereo with 128 as silence. A mono input feeds both channels;
/// of more channels the first two are kept. Output frame n stands for input time n / 11025 s
/// exactly (the filter adds no delay), and the same input always gives the same bytes, however
/// it is cut into calls. Blocks of 1110 frames are handed out as they fill.
class RecordingConverter {
public:
    static constexpr int kOutputRateHz = 11025;
    static constexpr int kBlockFrames = 1110;
    static constexpr std::uint8_t kSilence = 128;

    /// inputRateHz >= 1, inputChannels >= 1.
    RecordingConverter(int inputRateHz, int inputChannels);
    using BlockHandler = std::function<void(std::span<const std::uint8_t> frames)>;
    /// Interleaved float samples in -1..1 (any count; partial blocks are kept for the next call).
    void Push(std::span<const float> samples, const BlockHandler& onBlock);
    /// End of input: the last partial block, padded with silence. The converter then starts
    /// afresh.
    void Flush(const BlockHandler& onBlock);

private:
    void Reset();
    void Produce(std::int64_t endInput, const BlockHandler& onBlock);
    const float* WeightsFor(std::int64_t phase);
    void ComputeWeights(std::int64_t phase, float* row) const;
    void AppendFrame(float left, float right, const BlockHandler& onBlock);

    int InputChannels;
    std::int64_t Up = 1;  // output frames per Down input frames
    std::int64_t Down = 1;
    double Cutoff = 0.45;  // cycles per input frame
    int HalfTaps = 1;
    std::vector<float> Table;    // Up rows of 2 x HalfTaps weights, when it fits
    std::vector<float> Scratch;  // one row computed on demand otherwise
    std::vector<float> Left;
    std::vector<float> Right;
    std::int64_t HistoryStart = 0;  // input index of Left[0]
    std::int64_t InputFrames = 0;   // real input frames pushed
    std::int64_t NextBase = 0;      // output n sits at input time NextBase + NextPhase / Up
    std::int64_t NextPhase = 0;
    std::vector<float> Pending;  // the samples of an unfinished input frame
    std::vector<std::uint8_t> Block;
};

}  // namespace kelvaro
