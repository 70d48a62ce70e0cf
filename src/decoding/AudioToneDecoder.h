// The sound-card decoder: finds a Morse tone in one channel of the recorded input.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace kelvaro {

class MonitorDecoding;
class MonitorDisplay;

/// Input: 11025 frames per second, 8-bit unsigned stereo (left then right, 128 = silence), in
/// buffers of kBufferFrames. Each channel's envelope is the largest rectified sample of the last
/// 30 frames; at or above the threshold the tone is on. Marks and spaces are counted in frames
/// and classified against running estimates of the dot, the dash and the element gap, which
/// follow the sender's speed:
///
///            level >= threshold: mark starts (space measured: element gap, character gap,
///   tone off --------------------------------------------> tone on    or a faster sender)
///      ^   |                                                  |
///      |   | silence > 6 x gap estimate: character + " "      | level < threshold:
///      |   +--- (printed once)                                | mark measured: dot or dash
///      +--------------------------------------------------------+
///
/// A mark or space under MinDuration drops the character being received. The first mark with
/// no estimates is taken as a dot. The estimates survive Start and go back to none only when a
/// channel is chosen. Window thread only.
class AudioToneDecoder {
public:
    static constexpr int kSampleRateHz = 11025;
    static constexpr int kBufferFrames = 1110;
    static constexpr int kPeakWindowFrames = 30;
    static constexpr int kMinDurationFrames = 165;
    static constexpr int kDefaultThreshold = 64;
    static constexpr int kMaxThreshold = 127;
    /// Silence longer than this many gap estimates ends the character and the word.
    static constexpr int kLongSilenceGaps = 6;
    /// Longer marks and spaces (over six hours) count as this long, so the estimates stay in range.
    static constexpr int kMaxLengthFrames = 1 << 28;
    enum class Channel { None, Left, Right };  // None analyses the right channel

    AudioToneDecoder(MonitorDecoding& shared, MonitorDisplay& display);

    /// Step 1 of starting: peaks, windows, marks, flags, KeyIsDown := true; estimates kept.
    void Start();
    /// The channel buttons: choose, and the three estimates and the marks go back to -1.
    void ChooseChannel(Channel channel);
    Channel CurrentChannel() const { return Analysed; }
    /// The three estimates go back to none (choosing the straight key does this too).
    void ForgetEstimates();
    /// DecoderThreshold, 0..127 (clamped); takes effect at the next frame whatever the channel.
    void SetThreshold(int level);
    int Threshold() const { return DecoderThreshold; }
    /// One filled recording buffer: kBufferFrames interleaved frames, left then right,
    /// 128 = silence. Positions run on across buffers of any length.
    void AnalyseBuffer(std::span<const std::uint8_t> frames);

    /// Running estimates in frames, -1 when none.
    int DotEstimate() const { return DotFrames; }
    int DashEstimate() const { return DashFrames; }
    int GapEstimate() const { return GapFrames; }
    /// Where the current tone began and the last tone ended, -1 when none.
    std::int64_t MarkStart() const { return MarkStartFrame; }
    std::int64_t MarkEnd() const { return MarkEndFrame; }

private:
    void MarkEnded(std::int64_t position);
    void SpaceEnded(std::int64_t position, int frameInBuffer);
    void LongSilence();
    void UpdateDash(int markFrames);
    void UpdateDot(int markFrames);
    void AppendElement(char element);
    void ForgetCharacter();
    void ShowDebugLine();

    MonitorDecoding& Shared;
    MonitorDisplay& Display;
    Channel Analysed = Channel::Left;
    int DecoderThreshold = kDefaultThreshold;
    std::array<std::uint8_t, kPeakWindowFrames> LeftWindow{};
    std::array<std::uint8_t, kPeakWindowFrames> RightWindow{};
    int WindowNext = 0;
    int LeftPeak = 0;
    int RightPeak = 0;
    // Positions count frames; a tone held for days must not overflow them.
    std::int64_t SampleBase = 0;
    std::int64_t MarkStartFrame = -1;
    std::int64_t MarkEndFrame = -1;
    int PreviousFrames = kBufferFrames;
    int DotFrames = -1;
    int DashFrames = -1;
    int GapFrames = -1;
    bool LetterFlushed = false;
    bool MeasuredInBuffer = false;
};

}  // namespace kelvaro
