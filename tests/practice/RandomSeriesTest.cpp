// The random-groups generator with a fixed seed: counts, groups, leading Vs, the rules and the exam.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "practice/CharacterSets.h"
#include "practice/RandomSeries.h"

namespace kelvaro {
namespace {

/// Runs a series as the window does: each character is handed over, its group closed, then
/// reported played. The pane text uses " " after a group and "\n" for a new line.
struct SeriesRun {
    std::string Played;
    std::string Pane;
    int Starts = 0;
    bool NoCharacters = false;
    CharacterEnd LastEnd;
};

SeriesRun RunSeries(RandomSeries& series, int limit = 100000) {
    SeriesRun run;
    for (int i = 0; i < limit; ++i) {
        const SeriesStep step = series.Next();
        if (step.NoCharacters) {
            run.NoCharacters = true;
            return run;
        }
        run.Starts += step.SeriesStarted ? 1 : 0;
        if ((step.NewLineIfNeeded && !run.Pane.empty() && run.Pane.back() != '\n') || step.NewLine) {
            run.Pane += '\n';
        }
        run.Played += static_cast<char>(step.Character);
        run.Pane += static_cast<char>(step.Character);
        const GroupClose close = series.CloseGroupIfComplete();
        if (close.AppendSpace) {
            run.Pane += ' ';
        }
        if (close.NewLine) {
            run.Pane += '\n';
        }
        run.LastEnd = series.End(step.Character);
        if (run.LastEnd.What != CharacterEnd::Kind::Continue) {
            return run;
        }
    }
    ADD_FAILURE() << "series never ended";
    return run;
}

class RandomSeriesTest : public ::testing::Test {
protected:
    void Use(RandomSource source) {
        const PoolWindow window = CharacterSets::WindowFor(source, 0, 0, {});
        Pool.SetPoolStart(window.Start);
        Pool.SetPoolSize(window.Size);
    }
    CharacterPool Pool;
    RandomGenerator Random{12345};
    RandomSeries Series{Pool, Random};
};

TEST_F(RandomSeriesTest, CountFiveWithLeadingVsPlaysOnlyTheVGroup) {
    Use(RandomSource::Letters);
    Series.AddLeadingVs = true;
    Series.Count = 5;
    const SeriesRun run = RunSeries(Series);
    EXPECT_EQ(run.Played, "vvvvv");
    EXPECT_EQ(run.Pane, "vvvvv ");
    EXPECT_EQ(run.LastEnd.What, CharacterEnd::Kind::SeriesOver);
    EXPECT_TRUE(run.LastEnd.Beep);
    EXPECT_FALSE(Series.Running());
}

TEST_F(RandomSeriesTest, CountTenWithLeadingVsAddsOneGroupOfFive) {
    Use(RandomSource::Letters);
    Series.AddLeadingVs = true;
    Series.Count = 10;
    const SeriesRun run = RunSeries(Series);
    ASSERT_EQ(run.Played.size(), 10u);
    EXPECT_EQ(run.Played.substr(0, 5), "vvvvv");
    EXPECT_EQ(run.Pane.size(), 12u);
    EXPECT_EQ(run.Pane[5], ' ');
    EXPECT_EQ(run.Pane.back(), ' ');
    for (const char c : run.Played.substr(5)) {
        EXPECT_TRUE(c >= 'a' && c <= 'z') << c;
    }
}

TEST_F(RandomSeriesTest, FixedLengthSeriesPlaysExactlyTheCountAndWordGapsCloseGroups) {
    Use(RandomSource::All);
    Series.SetGroupLengthOption(3);
    Series.Count = 8;
    int completing = 0;
    std::string played;
    for (;;) {
        const SeriesStep step = Series.Next();
        played += static_cast<char>(step.Character);
        completing += Series.CompletesGroup() ? 1 : 0;
        EXPECT_EQ(Series.CompletesGroup(), Series.GroupPosition() == 3);
        Series.CloseGroupIfComplete();
        if (Series.End(step.Character).What != CharacterEnd::Kind::Continue) {
            break;
        }
    }
    EXPECT_EQ(played.size(), 8u);
    EXPECT_EQ(completing, 2);  // two whole groups of three, then two characters
}

TEST_F(RandomSeriesTest, RandomLengthWithLeadingVsStartsWithFiveVsThenTwoToEight) {
    Use(RandomSource::Letters);
    Series.SetGroupLengthOption(0);
    Series.AddLeadingVs = true;
    Series.Count = 1000;
    const SeriesRun run = RunSeries(Series);
    EXPECT_EQ(run.Played.size(), 1000u);
    ASSERT_EQ(run.Pane.substr(0, 6), "vvvvv ");
    std::size_t start = 6;
    bool sawShort = false;
    bool sawLong = false;
    while (start < run.Pane.size()) {
        const std::size_t space = run.Pane.find(' ', start);
        if (space == std::string::npos) {
            EXPECT_LE(run.Pane.size() - start, 8u);  // the last group may be cut by the count
            break;
        }
        const std::size_t length = space - start;
        EXPECT_GE(length, 2u);
        EXPECT_LE(length, 8u);
        sawShort = sawShort || length == 2;
        sawLong = sawLong || length == 8;
        start = space + 1;
    }
    EXPECT_TRUE(sawShort);
    EXPECT_TRUE(sawLong);
}

TEST_F(RandomSeriesTest, NonMixedGroupsNeverMixClasses) {
    Use(RandomSource::All);
    Series.Rule = GroupRule::NonMixed;
    Series.Count = 1000;
    for (int series = 0; series < 10; ++series) {
        const SeriesRun run = RunSeries(Series);
        std::size_t start = 0;
        while (start < run.Pane.size()) {
            std::size_t end = run.Pane.find_first_of(" \n", start);
            end = end == std::string::npos ? run.Pane.size() : end;
            const std::string group = run.Pane.substr(start, end - start);
            for (const char c : group) {
                EXPECT_EQ(CharacterSets::ClassOf(static_cast<std::uint8_t>(c)),
                          CharacterSets::ClassOf(static_cast<std::uint8_t>(group.front())))
                    << group;
            }
            start = end + 1;
        }
    }
}

TEST_F(RandomSeriesTest, CallsignGroupsEndInTwoLettersAndNeverStartWithTwoFigures) {
    Use(RandomSource::LettersFigures);
    Series.Rule = GroupRule::Callsigns;
    Series.Count = 1000;
    int groups = 0;
    int figureFirst = 0;
    for (int series = 0; series < 5; ++series) {
        const SeriesRun run = RunSeries(Series);
        for (std::size_t start = 0; start + 5 <= run.Pane.size(); start += 6) {
            const std::string group = run.Pane.substr(start, 5);
            const auto cls = [&](int i) {
                return CharacterSets::ClassOf(static_cast<std::uint8_t>(group[i]));
            };
            EXPECT_FALSE(cls(0) == CharacterClass::Figure && cls(1) == CharacterClass::Figure) << group;
            EXPECT_EQ(cls(3), CharacterClass::Letter) << group;
            EXPECT_EQ(cls(4), CharacterClass::Letter) << group;
            if (cls(1) == CharacterClass::Letter) {
                EXPECT_NE(cls(2), CharacterClass::Letter) << group;
            }
            figureFirst += cls(0) == CharacterClass::Figure ? 1 : 0;
            ++groups;
        }
    }
    EXPECT_EQ(groups, 1000);
    EXPECT_GT(figureFirst, 0);
}

TEST_F(RandomSeriesTest, AfterAThousandRejectedDrawsTheFirstCharacterIsUsed) {
    // Callsign groups from figures alone: the second character may not be a figure after a
    // figure, and the fourth and fifth must be letters, so those three draws can never
    // succeed. The third is free.
    Use(RandomSource::Figures);
    Series.Rule = GroupRule::Callsigns;
    Series.Count = 5;
    RandomGenerator reference{12345};
    const SeriesRun run = RunSeries(Series);
    ASSERT_EQ(run.Pane.size(), 6u) << run.Pane;
    const char first = run.Pane[0];
    EXPECT_EQ(run.Pane[1], first) << run.Pane;
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(run.Pane[2]))) << run.Pane;
    EXPECT_EQ(run.Pane.substr(3), std::string(2, first) + " ") << run.Pane;
    // Exactly 1000 draws for each capped character: one each for the first and the third.
    const int draws = 2 + 3 * RandomSeries::kMaxDraws;
    for (int draw = 0; draw < draws; ++draw) {
        reference.RandomInt(10);
    }
    EXPECT_EQ(Random.CurrentSeed(), reference.CurrentSeed());
}

TEST_F(RandomSeriesTest, EmptySetOrVocabularyWithoutListGivesNothing) {
    Pool.SetPoolSize(0);
    EXPECT_TRUE(Series.Next().NoCharacters);
    EXPECT_FALSE(Series.Running());
    Use(RandomSource::Letters);
    Series.VocabularyChecked = true;
    EXPECT_TRUE(Series.Next().NoCharacters);
}

TEST_F(RandomSeriesTest, StopLetsTheQueuedCharacterEndAndGeneratesNothingMore) {
    Use(RandomSource::Letters);
    const SeriesStep step = Series.Next();
    EXPECT_TRUE(step.SeriesStarted);
    EXPECT_TRUE(step.NewLineIfNeeded);
    Series.Stop();
    EXPECT_TRUE(Series.StopRequested());
    EXPECT_EQ(Series.End(step.Character).What, CharacterEnd::Kind::NotRunning);
    EXPECT_TRUE(Series.Next().SeriesStarted);  // Play again starts a new series
}

TEST_F(RandomSeriesTest, ChangingTheSetDuringASeriesRestartsTheCount) {
    Use(RandomSource::Letters);
    Series.Count = 10;
    EXPECT_FALSE(Series.RestartCount());
    for (int i = 0; i < 7; ++i) {
        Series.CloseGroupIfComplete();
        Series.End(Series.Next().Character);
    }
    EXPECT_EQ(Series.RandomRemaining(), 3);
    EXPECT_TRUE(Series.RestartCount());
    EXPECT_EQ(Series.RandomRemaining(), 10);
    EXPECT_EQ(Series.GroupPosition(), 0);
}

TEST_F(RandomSeriesTest, VocabularyLineIsAlwaysFinished) {
    Series.VocabularyChecked = true;
    Series.Words = {"abcdefgh"};
    Series.Count = 5;
    const SeriesRun run = RunSeries(Series);
    EXPECT_EQ(run.Played, "abcdefgh");
    EXPECT_EQ(run.LastEnd.What, CharacterEnd::Kind::SeriesOver);
}

TEST_F(RandomSeriesTest, VocabularyShortLinesGoOnUntilTheCountAndSpacesDoNotCount) {
    Series.VocabularyChecked = true;
    Series.Words = {"ab c"};
    Series.Count = 7;
    Series.AddLeadingVs = true;
    const SeriesRun run = RunSeries(Series);
    // The Vs count five of seven; the line drawn next is finished, its inner blank included.
    EXPECT_EQ(run.Played, "VVVVV ab c");
    Series.Count = 5;
    EXPECT_EQ(RunSeries(Series).Played, "VVVVV");  // the leading Vs are no drawn line
}

TEST_F(RandomSeriesTest, ExamGroupsPhaseHasThreeVs150Letters30FiguresAndPlus) {
    Use(RandomSource::Exam);
    Series.ExamChecked = true;
    Series.Words = {"bonjour"};
    Series.SetExamPhase(2);
    const SeriesRun run = RunSeries(Series);
    ASSERT_EQ(run.Played.size(), 184u);
    EXPECT_EQ(run.Played.substr(0, 3), "vvv");
    int letters = 0;
    int figures = 0;
    for (const char c : run.Played.substr(3, 180)) {
        letters += CharacterSets::ClassOf(static_cast<std::uint8_t>(c)) == CharacterClass::Letter ? 1 : 0;
        figures += CharacterSets::ClassOf(static_cast<std::uint8_t>(c)) == CharacterClass::Figure ? 1 : 0;
    }
    EXPECT_EQ(letters, 150);
    EXPECT_EQ(figures, 30);
    EXPECT_EQ(run.Played.back(), '+');
    EXPECT_EQ(run.Pane.substr(0, 5), "vvv \n");
    EXPECT_EQ(run.Pane[10], ' ');
    EXPECT_EQ(run.LastEnd.FollowUp, ExamFollowUp::Text);
}

TEST_F(RandomSeriesTest, ExamWarmUpEndsWithPlusAfterTheLineReachingTheCount) {
    Use(RandomSource::Exam);
    Series.ExamChecked = true;
    Series.Words = {"abcdefg", "hij"};
    const SeriesStep first = Series.Next();
    EXPECT_TRUE(first.ExamWarmUpStarted);
    EXPECT_EQ(Series.ExamPhase(), 1);
    Series.End(first.Character);
    const SeriesRun run = RunSeries(Series);
    const std::string played = static_cast<char>(first.Character) + run.Played;
    EXPECT_EQ(played.substr(0, 4), "VVV ");
    int nonSpace = 0;
    for (const char c : played) {
        nonSpace += c != ' ' ? 1 : 0;
    }
    EXPECT_GE(nonSpace, 124);  // three Vs, at least 120 letters, and "+"
    EXPECT_LE(nonSpace, 124 + 7);
    EXPECT_EQ(played.substr(played.size() - 2), "+ ");
    EXPECT_EQ(run.LastEnd.FollowUp, ExamFollowUp::Groups);
    EXPECT_NE(run.Pane.find('\n'), std::string::npos);  // the words start on a new line
}

TEST_F(RandomSeriesTest, ExamTextPhaseResetsTheExamAndSilentChainsDoNotBeepBetweenPhases) {
    Use(RandomSource::Exam);
    Series.ExamChecked = true;
    Series.Words = {"abcdefghij"};
    Series.SetExamPhase(1);
    Series.SetSilent(true);
    SeriesRun run = RunSeries(Series);
    EXPECT_FALSE(run.LastEnd.Beep);
    Series.SetExamPhase(3);
    Series.SetSilent(true);
    run = RunSeries(Series);
    EXPECT_TRUE(run.LastEnd.Beep);
    EXPECT_TRUE(run.LastEnd.ExamReset);
    EXPECT_EQ(Series.ExamPhase(), 0);
    EXPECT_FALSE(Series.Silent());
}

}  // namespace
}  // namespace kelvaro
