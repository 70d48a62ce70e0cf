// How much silence follows a character: the character gap, the word gap, and their exceptions.
#pragma once

#include "core/SpeedSettings.h"

namespace kelvaro {

/// What the active practice mode says about the character about to be rendered.
struct CharacterContext {
    /// Monitoring with a paddle held: tight element gaps and no character gap at all.
    bool PaddleHeld = false;
    /// A quiz question: a fixed three-unit character gap whatever the spacing.
    bool QuizRunning = false;
    /// The last character of a random group: the character gap and the word gap together.
    bool CompletesGroup = false;
    /// Impairments switched on for the mode that is playing.
    bool NoiseOn = false;
    bool QsbOn = false;
    bool DriftOn = false;
};

/// Element gaps of silence appended after the elements' own gaps (a blank has no elements,
/// so its units are the whole word space).
int TrailingGapUnits(bool isBlank, const SpeedSettings& speed, const CharacterContext& context);

}  // namespace kelvaro
