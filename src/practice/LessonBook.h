// The 60 numbered lessons, their three pages of 20, and the local-lesson editor's rules.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kelvaro {

/// Lessons are numbered 1..60; a blank lesson holds a single space. Page p (1..3) shows
/// lessons 20(p-1)+1 .. 20p.
class LessonBook {
public:
    static constexpr int kLessonCount = 60;
    static constexpr int kPerPage = 20;
    /// Page 1 as the program comes: lessons 1 to 20.
    static constexpr std::array<std::string_view, kPerPage> kBuiltInLessons = {
        "endx0",
        "tawp1",
        "endx0tawp1",
        "mgzq2",
        "iuvh3",
        "mgzq2iuvh3",
        "endx0tawp1mgzq2iuvh3",
        "okyc4",
        "rlf56",
        "okyc4rlf56",
        "sbj78",
        "+=?/9",
        "sbj78+=?/9",
        "okyc4rlf56sbj78+=?/9",
        "endx0tawp1mgzq2iuvh3",
        "abcdefghijklmnopqrstuvwxyz",
        "0123456789",
        "abcdefghijklmnopqrstuvwxyz0123456789",
        "+=?/'-,.",
        "abcdefghijklmnopqrstuvwxyz0123456789+=?/'-,.",
    };
    static constexpr int kPageCount = 3;
    static constexpr std::size_t kMaxLessonLength = 50;

    /// Page 1 holds the built-in lessons, pages 2 and 3 blank lessons.
    LessonBook();

    /// number in 1..60.
    const std::string& Lesson(int number) const;
    /// Stored lower case, without spaces, at most kMaxLessonLength; empty text stores a blank.
    void SetLesson(int number, std::string_view text);
    const std::array<std::string, kLessonCount>& All() const { return Lessons; }
    void SetAll(const std::array<std::string, kLessonCount>& lessons);

    /// "#01 #02 ... #20" for page 1, and so on; page in 1..3.
    static std::string PageLabel(int page);
    /// The lesson number of a page's item; item in 0..19.
    static int NumberOf(int page, int item) { return kPerPage * (page - 1) + item + 1; }
    static bool IsOnPage(int number, int page) { return (number - 1) / kPerPage + 1 == page; }

    /// The last item of the page whose lesson equals text; nothing when none does.
    std::optional<int> LastMatchingItem(int page, std::string_view text) const;

    /// The number typed in the local-lesson editor: a whole number 1..60, else nothing.
    static std::optional<int> ParseLessonNumber(std::string_view text);
    /// What the lesson field keeps of typed text: lower case, no spaces, at most 50 characters.
    static std::string FilterLessonText(std::string_view text);
    /// A blank lesson shows empty.
    static bool IsBlank(std::string_view lesson) { return lesson.empty() || lesson.front() == ' '; }

private:
    std::array<std::string, kLessonCount> Lessons;
};

}  // namespace kelvaro
