// Figures from the history: worst characters first, lesson advice at its threshold, the
// weak-character weights and the weighted set drawn from.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/ProgressStatistics.h"

namespace kelvaro {
namespace {

/// A run of `sent` characters `character`, `right` of them copied right.
HistoryRun MakeRun(const std::string& setName, char character, int sent, int right) {
    HistoryRun run;
    run.Mode = "random";
    run.SetName = setName;
    for (int i = 0; i < sent; ++i) {
        const bool ok = i < right;
        run.Answers.push_back({static_cast<std::uint8_t>(character),
                               ok ? static_cast<std::uint8_t>(character) : std::uint8_t{0}, ok, -1});
    }
    return run;
}

TEST(ProgressStatistics, PerCharacterPutsTheWorstFirstAndTheMostSentFirstAmongEquals) {
    const std::vector<HistoryRun> runs = {MakeRun("x", 'a', 10, 9), MakeRun("x", 'b', 4, 2),
                                          MakeRun("x", 'c', 8, 4), MakeRun("x", 'd', 3, 3)};
    const std::vector<CharacterStats> stats = ProgressStatistics::PerCharacter(runs);
    ASSERT_EQ(stats.size(), 4u);
    EXPECT_EQ(stats[0].Character, 'c');  // 50 %, 8 sent
    EXPECT_EQ(stats[1].Character, 'b');  // 50 %, 4 sent
    EXPECT_EQ(stats[2].Character, 'a');
    EXPECT_EQ(stats[3].Character, 'd');
    EXPECT_DOUBLE_EQ(stats[2].AccuracyPercent(), 90.0);
    EXPECT_EQ(stats[0].MeanAnswerMs(), -1.0);
}

TEST(ProgressStatistics, ALessonIsMasteredAfterThreeRunsAtNinetyPercentOrBetter) {
    const std::string lesson = "Lesson #05";
    struct Case {
        std::vector<HistoryRun> Runs;
        bool Mastered;
    };
    const std::vector<Case> cases = {
        {{MakeRun(lesson, 'e', 10, 9), MakeRun(lesson, 'e', 10, 9), MakeRun(lesson, 'e', 10, 9)}, true},
        {{MakeRun(lesson, 'e', 100, 89), MakeRun(lesson, 'e', 10, 9), MakeRun(lesson, 'e', 10, 9),
          MakeRun(lesson, 'e', 10, 9)},
         true},  // the poor run is older than the last three
        {{MakeRun(lesson, 'e', 10, 9), MakeRun(lesson, 'e', 100, 89), MakeRun(lesson, 'e', 10, 9)}, false},
        {{MakeRun(lesson, 'e', 10, 10), MakeRun(lesson, 'e', 10, 10)}, false},  // only two runs
        {{MakeRun(lesson, 'e', 10, 10), MakeRun(lesson, 'e', 10, 10), MakeRun("Letters", 'e', 10, 0),
          MakeRun(lesson, 'e', 10, 10)},
         true},  // another set in between does not count
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(ProgressStatistics::LessonMastered(cases[i].Runs, lesson), cases[i].Mastered) << i;
    }
}

TEST(ProgressStatistics, WeakCharactersGetMoreOfTheSetInProportionToTheirErrors) {
    const std::vector<HistoryRun> runs = {MakeRun("x", 'a', 98, 98), MakeRun("x", 'b', 98, 49),
                                          MakeRun("x", 'c', 98, 0)};
    const std::vector<double> weights =
        ProgressStatistics::WeakWeights(ProgressStatistics::PerCharacter(runs), "abcz");
    ASSERT_EQ(weights.size(), 4u);
    EXPECT_LT(weights[0], weights[1]);
    EXPECT_LT(weights[1], weights[3] + 0.01);  // never heard: half wrong, like b
    EXPECT_LT(weights[1], weights[2]);
    EXPECT_GT(weights[0], 0.0);  // a perfect character still comes up

    const std::string set = ProgressStatistics::WeightedSet("abcz", weights, 70);
    ASSERT_EQ(set.size(), 70u);
    const auto count = [&](char c) { return std::count(set.begin(), set.end(), c); };
    EXPECT_GE(count('a'), 1);
    EXPECT_GT(count('c'), count('b'));
    EXPECT_GT(count('b'), count('a'));
    EXPECT_EQ(ProgressStatistics::WeightedSet("", {}, 70), "");
    EXPECT_EQ(ProgressStatistics::WeightedSet("abc", {1, 1, 1}, 2), "ab");
}

}  // namespace
}  // namespace kelvaro
