// Renders one character into 16-bit stereo frames: its elements, their gaps and the trailing gap.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/AudioFormat.h"
#include "core/ElementTiming.h"
#include "core/KeyingSchedule.h"
#include "core/NoiseTable.h"
#include "core/ToneTable.h"

namespace kelvaro {

/// The impairments that apply to this character; all off by default.
struct RenderEffects {
    /// Noise on: the table is added to tone elements and silence gets fresh noise.
    const NoiseTable* Noise = nullptr;
    SilenceNoise* Silence = nullptr;
    /// QSB on: every tone value is multiplied by this factor.
    std::optional<double> QsbFactor;
};

/// Writes pattern ('.' and '-'; empty for a blank) at the given timing into out, left and right
/// interleaved, and returns the number of frames. Each element starts at the tone table's first
/// frame (its rise) and ends with a 50-frame fall whose last frame is 0; one element gap of
/// silence follows each element, then trailingGapUnits element gaps. When keying is given, the
/// element list is written into it. out grows when it is too small; it never shrinks.
int RenderCharacter(std::string_view pattern, const ElementTiming& timing, int trailingGapUnits,
                    const ToneTable& tone, const RenderEffects& effects, std::vector<Sample>& out,
                    KeyingSchedule* keying);

}  // namespace kelvaro
