// Every value that the settings file kelvaro.dat carries from one run to the next.
#include "app/SettingsModel.h"

#include "practice/QuizDelaySteps.h"

namespace kelvaro {

std::array<std::string, SettingsModel::kLessonCount> SettingsModel::DefaultLessonTable() {
    std::array<std::string, kLessonCount> table;
    for (std::size_t slot = 0; slot < table.size(); ++slot) {
        table[slot] = slot < kBuiltInLessons.size() ? std::string(kBuiltInLessons[slot]) : std::string(" ");
    }
    return table;
}

std::string_view SettingsModel::QuizDelayText(int step) {
    return QuizDelaySteps::Text(step);
}

int SettingsModel::QuizDelayIntervalMs(int step) {
    return QuizDelaySteps::IntervalMs(step);
}

}  // namespace kelvaro
