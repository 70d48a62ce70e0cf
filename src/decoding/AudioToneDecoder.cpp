// The sound-card decoder: finds a Morse tone in one channel of the recorded input.
#include "decoding/AudioToneDecoder.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "core/Rounding.h"
#include "decoding/MonitorDecoding.h"
#include "decoding/MonitorDisplay.h"

namespace kelvaro {

namespace {

int RoundHalf(std::int64_t twice) {
    return static_cast<int>(RoundRatio(twice, 2));
}

int LengthOf(std::int64_t frames) {
    return static_cast<int>(std::min<std::int64_t>(frames, AudioToneDecoder::kMaxLengthFrames));
}

int PeakOf(const std::array<std::uint8_t, AudioToneDecoder::kPeakWindowFrames>& window) {
    return *std::max_element(window.begin(), window.end());
}

}  // namespace

AudioToneDecoder::AudioToneDecoder(MonitorDecoding& shared, MonitorDisplay& display)
    : Shared(shared), Display(display) {}

void AudioToneDecoder::Start() {
    LeftPeak = 0;
    RightPeak = 0;
    LeftWindow.fill(0);
    RightWindow.fill(0);
    WindowNext = 0;
    MarkStartFrame = -1;
    MarkEndFrame = -1;
    LetterFlushed = false;
    Shared.KeyIsDown = true;
    Shared.CurrentCode.clear();
    Shared.LastElement.clear();
    Shared.MarkLength = -1;
    Shared.SpaceLength = -1;
    SampleBase = 0;
}

void AudioToneDecoder::ChooseChannel(Channel channel) {
    Analysed = channel;
    MarkStartFrame = -1;
    MarkEndFrame = -1;
    ForgetEstimates();
}

void AudioToneDecoder::ForgetEstimates() {
    DotFrames = -1;
    DashFrames = -1;
    GapFrames = -1;
}

void AudioToneDecoder::SetThreshold(int level) {
    DecoderThreshold = std::clamp(level, 0, kMaxThreshold);
}

void AudioToneDecoder::AnalyseBuffer(std::span<const std::uint8_t> frames) {
    const int frameCount = static_cast<int>(frames.size() / 2);
    SampleBase = MarkStartFrame == -1 ? 0 : SampleBase + PreviousFrames;
    PreviousFrames = frameCount;
    MeasuredInBuffer = false;
    for (int i = 0; i < frameCount; ++i) {
        const std::size_t at = 2 * static_cast<std::size_t>(i);
        LeftWindow[static_cast<std::size_t>(WindowNext)] =
            static_cast<std::uint8_t>(std::abs(int(frames[at]) - 128));
        RightWindow[static_cast<std::size_t>(WindowNext)] =
            static_cast<std::uint8_t>(std::abs(int(frames[at + 1]) - 128));
        WindowNext = (WindowNext + 1) % kPeakWindowFrames;
        LeftPeak = PeakOf(LeftWindow);
        RightPeak = PeakOf(RightWindow);

        const std::int64_t position = SampleBase + i;
        const int level = Analysed == Channel::Left ? LeftPeak : RightPeak;
        if (Shared.KeyIsDown && level < DecoderThreshold) {
            MarkEnded(position);
        } else if (!Shared.KeyIsDown && level >= DecoderThreshold) {
            SpaceEnded(position, i);
        } else if (!Shared.KeyIsDown && !LetterFlushed && !Shared.CurrentCode.empty() &&
                   position - MarkEndFrame > std::int64_t{kLongSilenceGaps} * GapFrames) {
            LongSilence();
        }
    }
    if (MeasuredInBuffer) {
        ShowDebugLine();
    }
    Display.ShowLevels(static_cast<int>(RoundRatio(LeftPeak * 100, 128)),
                       static_cast<int>(RoundRatio(RightPeak * 100, 128)));
}

void AudioToneDecoder::MarkEnded(std::int64_t position) {
    Shared.KeyIsDown = false;
    if (MarkStartFrame == -1) {
        return;  // the tone was there before decoding started
    }
    MarkEndFrame = position;
    const int mark = LengthOf(MarkEndFrame - MarkStartFrame);
    Shared.MarkLength = mark;
    MeasuredInBuffer = true;
    if (mark < kMinDurationFrames) {
        ForgetCharacter();
        return;
    }
    if (GapFrames == -1) {
        if (DotFrames == -1) {
            DotFrames = mark;
            GapFrames = mark;
            DashFrames = 3 * mark;
            AppendElement('.');
        } else if (mark > 2 * DotFrames) {
            UpdateDash(mark);
            GapFrames = RoundHalf(mark);
            AppendElement('-');
        } else {
            UpdateDot(mark);
            GapFrames = DotFrames;
            AppendElement('.');
        }
        return;
    }
    if (mark > 2 * DotFrames) {
        UpdateDash(mark);
        AppendElement('-');
    } else {
        UpdateDot(mark);
        AppendElement('.');
    }
}

void AudioToneDecoder::SpaceEnded(std::int64_t position, int frameInBuffer) {
    Shared.KeyIsDown = true;
    MarkStartFrame = position;
    if (MarkEndFrame == -1 || GapFrames == -1) {
        return;
    }
    const int space = LengthOf(MarkStartFrame - MarkEndFrame);
    Shared.SpaceLength = space;
    MeasuredInBuffer = true;
    if (space < kMinDurationFrames) {
        // The tone that has just begun is dropped with the character.
        ForgetCharacter();
        GapFrames = -1;
        return;
    }
    if (space > 2 * GapFrames) {
        // A character gap: positions count again from this buffer's start.
        SampleBase = 0;
        MarkStartFrame = frameInBuffer;
        LetterFlushed = false;
        const std::string pattern = Shared.CurrentCode;
        Shared.CurrentCode.clear();
        Shared.LastElement.clear();
        MarkEndFrame = -1;
        GapFrames = -1;
        Shared.DecodeAndShow(pattern);
        return;
    }
    if (2 * std::int64_t{space} >= GapFrames) {
        GapFrames = std::max(RoundHalf(std::int64_t{GapFrames} + space), DotFrames);
        return;
    }
    // A space this short means the sender is faster than estimated: what was taken for dots
    // were dashes.
    DashFrames = DotFrames;
    DotFrames = space;
    GapFrames = space;
    if (!Shared.CurrentCode.empty()) {
        const std::size_t count = Shared.CurrentCode.size();
        Shared.CurrentCode.assign(count, '-');
        Shared.DropEchoTail(count);
        Shared.EchoElements(Shared.CurrentCode);
    }
}

void AudioToneDecoder::LongSilence() {
    LetterFlushed = true;
    const std::string pattern = Shared.CurrentCode;
    Shared.CurrentCode.clear();
    Shared.LastElement.clear();
    SampleBase = 0;
    MarkStartFrame = -1;
    MarkEndFrame = -1;
    GapFrames = -1;
    Shared.DecodeAndShow(pattern);
    Display.InsertText(" ");
}

void AudioToneDecoder::UpdateDash(int markFrames) {
    DashFrames = DashFrames == -1 ? markFrames : RoundHalf(std::int64_t{DashFrames} + markFrames);
    const int quarter = static_cast<int>(RoundRatio(DashFrames, 4));
    DotFrames = std::max(DotFrames, quarter);
}

void AudioToneDecoder::UpdateDot(int markFrames) {
    DotFrames = DotFrames == -1 ? markFrames : RoundHalf(std::int64_t{DotFrames} + markFrames);
    DashFrames = std::max(DashFrames, 3 * DotFrames);
}

void AudioToneDecoder::AppendElement(char element) {
    Shared.CurrentCode += element;
    Shared.LastElement = std::string(1, element);
    LetterFlushed = false;
    // Each classified element is echoed once.
    Shared.EchoElements(Shared.LastElement);
    Shared.LastElement.clear();
}

void AudioToneDecoder::ForgetCharacter() {
    Shared.CurrentCode.clear();
    Shared.LastElement.clear();
    SampleBase = 0;
    MarkStartFrame = -1;
    MarkEndFrame = -1;
}

void AudioToneDecoder::ShowDebugLine() {
    Display.ShowDebugLine(" p=" + std::to_string(DotFrames) + " t=" + std::to_string(DashFrames) +
                          " i=" + std::to_string(GapFrames) + " C=" + Shared.CurrentCode);
}

}  // namespace kelvaro
