// The eighteen answer delays of the quiz: the text the delay box shows and the wait it gives.
#include "practice/QuizDelaySteps.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace kelvaro {

namespace {

struct Step {
    std::string_view Text;
    int IntervalMs;
};

constexpr std::array<Step, QuizDelaySteps::kLastStep> kSteps = {{
    {"0.25", 250},
    {"0.5", 500},
    {"0.75", 750},
    {"1", 1000},
    {"1.25", 1250},
    {"1.5", 1500},
    {"1.75", 1750},
    {"2", 2000},
    {"2.25", 2250},
    {"2.5", 2500},
    {"2.75", 2750},
    {"3", 3000},
    {"4", 4000},
    {"5", 5000},
    {"6", 6000},
    {"7", 7000},
    {"8", 8000},
    {"9", 9000},
}};

const Step& At(int step) {
    assert(step >= QuizDelaySteps::kFirstStep && step <= QuizDelaySteps::kLastStep);
    return kSteps[static_cast<std::size_t>(step - QuizDelaySteps::kFirstStep)];
}

}  // namespace

std::string_view QuizDelaySteps::Text(int step) {
    return At(step).Text;
}

int QuizDelaySteps::IntervalMs(int step) {
    return At(step).IntervalMs;
}

std::optional<int> QuizDelaySteps::StepOfText(std::string_view text) {
    for (int step = kFirstStep; step <= kLastStep; ++step) {
        if (At(step).Text == text) {
            return step;
        }
    }
    return std::nullopt;
}

int QuizDelaySteps::Clamp(int step) {
    return std::clamp(step, kFirstStep, kLastStep);
}

}  // namespace kelvaro
