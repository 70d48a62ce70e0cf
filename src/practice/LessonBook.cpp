// The 60 numbered lessons, their three pages of 20, and the local-lesson editor's rules.
#include "practice/LessonBook.h"

#include <cassert>

#include "core/Cp1252.h"

namespace kelvaro {

LessonBook::LessonBook() {
    for (int i = 0; i < kLessonCount; ++i) {
        Lessons[static_cast<std::size_t>(i)] =
            i < kPerPage ? std::string(kBuiltInLessons[static_cast<std::size_t>(i)]) : " ";
    }
}

const std::string& LessonBook::Lesson(int number) const {
    assert(number >= 1 && number <= kLessonCount);
    return Lessons[static_cast<std::size_t>(number - 1)];
}

void LessonBook::SetLesson(int number, std::string_view text) {
    assert(number >= 1 && number <= kLessonCount);
    const std::string filtered = FilterLessonText(text);
    Lessons[static_cast<std::size_t>(number - 1)] = filtered.empty() ? " " : filtered;
}

void LessonBook::SetAll(const std::array<std::string, kLessonCount>& lessons) {
    Lessons = lessons;
}

std::string LessonBook::PageLabel(int page) {
    std::string label;
    for (int item = 0; item < kPerPage; ++item) {
        const int number = NumberOf(page, item);
        if (item > 0) {
            label += ' ';
        }
        label += '#';
        label += static_cast<char>('0' + number / 10);
        label += static_cast<char>('0' + number % 10);
    }
    return label;
}

std::optional<int> LessonBook::LastMatchingItem(int page, std::string_view text) const {
    std::optional<int> match;
    for (int item = 0; item < kPerPage; ++item) {
        if (Lesson(NumberOf(page, item)) == text) {
            match = item;
        }
    }
    return match;
}

std::optional<int> LessonBook::ParseLessonNumber(std::string_view text) {
    if (text.empty() || text.size() > 2) {
        return std::nullopt;
    }
    int number = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        number = number * 10 + (digit - '0');
    }
    if (number < 1 || number > kLessonCount) {
        return std::nullopt;
    }
    return number;
}

std::string LessonBook::FilterLessonText(std::string_view text) {
    std::string kept;
    for (const char raw : text) {
        if (raw == ' ') {
            continue;
        }
        if (kept.size() == kMaxLessonLength) {
            break;
        }
        kept += static_cast<char>(Cp1252::ToLower(static_cast<std::uint8_t>(raw)));
    }
    return kept;
}

}  // namespace kelvaro
