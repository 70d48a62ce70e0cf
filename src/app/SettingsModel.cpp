// Every value that the settings file kelvaro.dat carries from one run to the next.
#include "app/SettingsModel.h"

#include <cassert>

namespace kelvaro {

namespace {

struct QuizDelayStep {
    std::string_view Text;
    int IntervalMs;
};

constexpr std::array<QuizDelayStep, SettingsModel::kQuizDelayStepCount> kQuizDelaySteps = {{
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

const QuizDelayStep& Step(int step) {
    assert(step >= 1 && step <= SettingsModel::kQuizDelayStepCount);
    return kQuizDelaySteps[static_cast<std::size_t>(step - 1)];
}

}  // namespace

std::array<std::string, SettingsModel::kLessonCount> SettingsModel::DefaultLessonTable() {
    std::array<std::string, kLessonCount> table;
    for (std::size_t slot = 0; slot < table.size(); ++slot) {
        table[slot] = slot < kBuiltInLessons.size() ? std::string(kBuiltInLessons[slot]) : std::string(" ");
    }
    return table;
}

std::string_view SettingsModel::QuizDelayText(int step) {
    return Step(step).Text;
}

int SettingsModel::QuizDelayIntervalMs(int step) {
    return Step(step).IntervalMs;
}

}  // namespace kelvaro
