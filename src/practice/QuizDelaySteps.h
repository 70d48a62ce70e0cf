// The eighteen answer delays of the quiz: the text the delay box shows and the wait it gives.
#pragma once

#include <optional>
#include <string_view>

namespace kelvaro {

/// Steps 1 .. 18 run from "0.25" s to "9" s: quarter seconds up to 3 s, whole seconds above.
class QuizDelaySteps {
public:
    static constexpr int kFirstStep = 1;
    static constexpr int kLastStep = 18;
    static constexpr int kDefaultStep = 12;

    /// step in kFirstStep .. kLastStep.
    static std::string_view Text(int step);
    static int IntervalMs(int step);
    /// The step whose text is exactly text, or nothing ("10", "3.0" and "" match none).
    static std::optional<int> StepOfText(std::string_view text);
    /// step moved into kFirstStep .. kLastStep.
    static int Clamp(int step);
};

}  // namespace kelvaro
