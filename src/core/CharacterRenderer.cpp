// Renders one character into 16-bit stereo frames: its elements, their gaps and the trailing gap.
#include "core/CharacterRenderer.h"

#include <algorithm>
#include <cstddef>

#include "core/Rounding.h"

namespace kelvaro {

namespace {

class FrameWriter {
public:
    explicit FrameWriter(std::vector<Sample>& out) : Out(out) {}

    void Reserve(int frames) {
        const auto needed = static_cast<std::size_t>(frames) * kChannels;
        if (Out.size() < needed) {
            Out.resize(needed);
        }
    }
    void Put(Sample value) {
        Out[Position * kChannels] = value;
        Out[Position * kChannels + 1] = value;
        ++Position;
    }
    int Frames() const { return static_cast<int>(Position); }

private:
    std::vector<Sample>& Out;
    std::size_t Position = 0;
};

int ElementFrames(char element, const ElementTiming& timing) {
    return element == '-' ? timing.DashFrames : timing.DotFrames;
}

void PutTone(FrameWriter& writer, int lengthFrames, const ToneTable& tone, const RenderEffects& effects) {
    for (int n = 0; n < lengthFrames; ++n) {
        double value = tone[n];
        const int framesToEnd = lengthFrames - 1 - n;
        if (framesToEnd < kRampFrames) {
            value = RoundHalfEven(value * framesToEnd / kRampFrames);
        }
        if (effects.QsbFactor) {
            value = RoundHalfEven(value * *effects.QsbFactor);
        }
        if (effects.Noise != nullptr) {
            value = std::clamp(value + (*effects.Noise)[n % kNoiseTableFrames], -32767.0, 32767.0);
        }
        writer.Put(static_cast<Sample>(value));
    }
}

void PutSilence(FrameWriter& writer, int lengthFrames, const RenderEffects& effects, bool firstFrameFresh) {
    for (int n = 0; n < lengthFrames; ++n) {
        if (effects.Silence != nullptr) {
            writer.Put(effects.Silence->Next(writer.Frames(), firstFrameFresh && n == 0));
        } else {
            writer.Put(0);
        }
    }
}

}  // namespace

int RenderCharacter(std::string_view pattern, const ElementTiming& timing, int trailingGapUnits,
                    const ToneTable& tone, const RenderEffects& effects, std::vector<Sample>& out,
                    KeyingSchedule* keying) {
    int totalFrames = trailingGapUnits * timing.ElementGapFrames;
    for (char element : pattern) {
        totalFrames += ElementFrames(element, timing) + timing.ElementGapFrames;
    }
    FrameWriter writer(out);
    writer.Reserve(totalFrames);

    if (keying != nullptr) {
        keying->BeginCharacter();
    }
    for (char element : pattern) {
        if (keying != nullptr) {
            keying->AddElement(element == '-');
        }
        PutTone(writer, std::min(ElementFrames(element, timing), tone.Size()), tone, effects);
        PutSilence(writer, timing.ElementGapFrames, effects, true);
    }
    if (keying != nullptr) {
        keying->CloseCharacter();
    }
    PutSilence(writer, trailingGapUnits * timing.ElementGapFrames, effects, false);
    return writer.Frames();
}

}  // namespace kelvaro
