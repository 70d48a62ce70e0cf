// The quiz's rules without a window: counting, judging, the mark, the revise list, the
// character asked again, and the adaptation of speed and delay.
#include <gtest/gtest.h>

#include <string>

#include "core/CharacterPool.h"
#include "core/RandomGenerator.h"
#include "practice/QuizDelaySteps.h"
#include "practice/QuizSession.h"

namespace kelvaro {
namespace {

/// Counts the adaptation calls, in the order they came.
struct AdaptationLog {
    std::string Calls;

    QuizAdaptation Callbacks() {
        return {[this] { Calls += 'U'; }, [this] { Calls += 'D'; }, [this] { Calls += 'L'; },
                [this] { Calls += 'S'; }};
    }
};

class QuizSessionTest : public ::testing::Test {
protected:
    QuizSessionTest() : Session(Log.Callbacks()) {}

    /// Asks and answers one question; right answers repeat the question.
    QuizVerdict AnswerOne(bool right) {
        const auto asked = Session.Ask(Random, Pool);
        EXPECT_TRUE(asked.has_value());
        const std::string answer(1, right ? static_cast<char>(*asked) : '#');
        return Session.Judge(answer);
    }
    /// Asks the given character and answers it.
    QuizVerdict AskAndAnswer(char question, const std::string& answer) {
        SetNextQuestion(question);
        EXPECT_EQ(Session.Ask(Random, Pool), static_cast<std::uint8_t>(question));
        return Session.Judge(answer);
    }
    /// A window of one slot on the question makes it the next random draw.
    void SetNextQuestion(char question) {
        Pool.SetPoolStart(static_cast<int>(CharacterPool::kStandardCharacters.find(question)));
        Pool.SetPoolSize(1);
    }

    AdaptationLog Log;
    QuizSession Session;
    RandomGenerator Random{7};
    CharacterPool Pool;
};

TEST(QuizDelayStepsTest, TableEndsAndTextLookup) {
    EXPECT_EQ(QuizDelaySteps::Text(1), "0.25");
    EXPECT_EQ(QuizDelaySteps::IntervalMs(1), 250);
    EXPECT_EQ(QuizDelaySteps::Text(12), "3");
    EXPECT_EQ(QuizDelaySteps::IntervalMs(12), 3000);
    EXPECT_EQ(QuizDelaySteps::Text(13), "4");
    EXPECT_EQ(QuizDelaySteps::IntervalMs(18), 9000);
    EXPECT_EQ(QuizDelaySteps::StepOfText("9"), 18);
    EXPECT_EQ(QuizDelaySteps::StepOfText("8"), 17);
    EXPECT_EQ(QuizDelaySteps::StepOfText("2.75"), 11);
    EXPECT_FALSE(QuizDelaySteps::StepOfText("10"));
    EXPECT_FALSE(QuizDelaySteps::StepOfText("3.0"));
    EXPECT_FALSE(QuizDelaySteps::StepOfText(""));
    EXPECT_EQ(QuizDelaySteps::Clamp(0), 1);
    EXPECT_EQ(QuizDelaySteps::Clamp(19), 18);
}

TEST_F(QuizSessionTest, FiveQuestionsThenTheRunEnds) {
    Session.SetQuizCount(5);
    int asked = 0;
    QuizStep step = QuizStep::AskNext;
    while (step == QuizStep::AskNext) {
        AnswerOne(true);
        ++asked;
        step = Session.Advance();
        ASSERT_LE(asked, 5);
    }
    EXPECT_EQ(step, QuizStep::Finished);
    EXPECT_EQ(asked, 5);
    EXPECT_EQ(Session.RemainingQuestions(), 5);  // ready for the next run
    EXPECT_EQ(Session.MarkText(), "5/5 = 100%");
}

TEST_F(QuizSessionTest, CountIsKeptWithinItsRange) {
    Session.SetQuizCount(3);
    EXPECT_EQ(Session.QuizCount(), 5);
    Session.SetQuizCount(5000);
    EXPECT_EQ(Session.QuizCount(), 1000);
}

TEST_F(QuizSessionTest, QuestionsComeFromThePoolWindow) {
    Pool.SetPoolStart(26);  // the figures
    Pool.SetPoolSize(10);
    for (int i = 0; i < 200; ++i) {
        const auto asked = Session.Ask(Random, Pool);
        ASSERT_TRUE(asked);
        EXPECT_TRUE(*asked >= '0' && *asked <= '9') << static_cast<int>(*asked);
        Session.Judge("");
    }
}

TEST_F(QuizSessionTest, EmptyPoolAsksNothingAndStopsTheQuiz) {
    Pool.SetPoolSize(0);
    EXPECT_FALSE(Session.Ask(Random, Pool));
    EXPECT_FALSE(Session.Running());
    EXPECT_EQ(Session.Asked(), 0);
}

TEST_F(QuizSessionTest, JudgingComparesTheSingleCharacter) {
    EXPECT_TRUE(AskAndAnswer('e', "e").Right);
    EXPECT_FALSE(AskAndAnswer('e', "").Right);
    EXPECT_FALSE(AskAndAnswer('e', "t").Right);
    EXPECT_FALSE(AskAndAnswer('e', "ee").Right);
    EXPECT_EQ(Session.MarkText(), "1/4 = 25%");
    EXPECT_EQ(Session.MarkToSend(), "1/4");
}

TEST_F(QuizSessionTest, MarkRoundsHalvesUp) {
    // 1 of 8 is 12.5 %: shown as 13 %; 2 of 3 is 66.7 %: 67 %.
    AskAndAnswer('e', "e");
    for (int i = 0; i < 7; ++i) {
        AskAndAnswer('e', "");
    }
    EXPECT_EQ(Session.MarkText(), "1/8 = 13%");
    Session.Stop();
    Session.ClearReport();
    AskAndAnswer('e', "e");
    AskAndAnswer('e', "e");
    AskAndAnswer('e', "t");
    EXPECT_EQ(Session.MarkText(), "2/3 = 67%");
}

TEST_F(QuizSessionTest, ReviseListWithoutResumeDelayIsSortedAndUnique) {
    AskAndAnswer('t', "");
    AskAndAnswer('e', "");
    const QuizVerdict third = AskAndAnswer('t', "");
    EXPECT_FALSE(third.ShowReviseNow);
    EXPECT_EQ(third.ResumeDelayMs, 0);
    EXPECT_EQ(Session.ReviseList(), "et");
    AskAndAnswer('a', "");
    AskAndAnswer('9', "");
    EXPECT_EQ(Session.ReviseList(), "9aet");
}

TEST_F(QuizSessionTest, ReviseListWithResumeDelayFollowsTheErrors) {
    Session.Options().ResumeDelaySeconds = 2;
    AskAndAnswer('t', "");
    AskAndAnswer('e', "");
    const QuizVerdict third = AskAndAnswer('t', "x");
    EXPECT_TRUE(third.ShowReviseNow);
    EXPECT_EQ(third.ResumeDelayMs, 2000);
    EXPECT_EQ(Session.ReviseList(), "tet");
    EXPECT_EQ(AskAndAnswer('t', "t").ResumeDelayMs, 0);  // no wait after a right answer
}

TEST_F(QuizSessionTest, WrongCharacterIsAskedAgainUntilRight) {
    Session.SetQuizCount(100);
    Session.Options().ReplayLastError = true;
    Pool.SetPoolStart(0);
    Pool.SetPoolSize(44);
    const auto first = Session.Ask(Random, Pool);
    Session.Judge("");
    ASSERT_EQ(Session.Advance(), QuizStep::AskNext);
    EXPECT_EQ(Session.ReplayChar(), first);
    EXPECT_EQ(Session.Ask(Random, Pool), first);
    EXPECT_FALSE(Session.ReplayChar());
    Session.Judge(std::string(1, static_cast<char>(*first)));
    ASSERT_EQ(Session.Advance(), QuizStep::AskNext);
    EXPECT_FALSE(Session.ReplayChar());
}

TEST_F(QuizSessionTest, NoReplayWhenTheOptionIsOffOrTheRunEnds) {
    Session.SetQuizCount(5);
    Pool.SetPoolSize(44);
    Session.Ask(Random, Pool);
    Session.Judge("");
    ASSERT_EQ(Session.Advance(), QuizStep::AskNext);
    EXPECT_FALSE(Session.ReplayChar());

    Session.Options().ReplayLastError = true;
    for (int i = 0; i < 4; ++i) {
        Session.Ask(Random, Pool);
        Session.Judge("");
        Session.Advance();
    }
    EXPECT_FALSE(Session.ReplayChar());  // the last verdict ended the run
}

TEST_F(QuizSessionTest, StopBeforeTheVerdictDoesNotCountTheQuestion) {
    Pool.SetPoolSize(44);
    AnswerOne(true);
    Session.Ask(Random, Pool);
    EXPECT_EQ(Session.Asked(), 2);
    Session.Stop();
    EXPECT_EQ(Session.Asked(), 1);
    EXPECT_FALSE(Session.Running());
    EXPECT_EQ(Session.Advance(), QuizStep::Stopped);

    AnswerOne(true);  // judged, then stopped during the wait: counted
    Session.Stop();
    EXPECT_EQ(Session.Asked(), 2);
    EXPECT_EQ(Session.MarkText(), "2/2 = 100%");
}

TEST_F(QuizSessionTest, RemainingSurvivesStopAndRestarts) {
    Session.SetQuizCount(10);
    Pool.SetPoolSize(44);
    for (int i = 0; i < 3; ++i) {
        AnswerOne(true);
        Session.Advance();
    }
    EXPECT_EQ(Session.RemainingQuestions(), 7);
    Session.Stop();
    EXPECT_EQ(Session.RemainingQuestions(), 7);
    Session.RestartCount();
    EXPECT_EQ(Session.RemainingQuestions(), 10);
}

TEST_F(QuizSessionTest, ClearReportDuringAQuizCountsTheQuestionInProgress) {
    Pool.SetPoolSize(44);
    AnswerOne(false);
    AnswerOne(false);
    Session.Ask(Random, Pool);
    Session.ClearReport();
    EXPECT_EQ(Session.Asked(), 1);
    EXPECT_TRUE(Session.ReviseList().empty());
    Session.Judge(std::string(1, static_cast<char>(Session.Question())));
    EXPECT_EQ(Session.MarkText(), "1/1 = 100%");
    Session.Stop();
    Session.ClearReport();
    EXPECT_EQ(Session.Asked(), 0);
    EXPECT_EQ(Session.Right(), 0);
}

TEST_F(QuizSessionTest, NoAdaptationWithoutVariableSpeed) {
    Pool.SetPoolSize(44);
    Session.Options().DelayAdjust = true;
    for (int i = 0; i < 10; ++i) {
        AnswerOne(true);
    }
    AnswerOne(false);
    EXPECT_EQ(Log.Calls, "");
    EXPECT_EQ(Session.RightStreak(), 0);
}

TEST_F(QuizSessionTest, FiveRightRaiseTheSpeedAndAWrongOneLowersIt) {
    Pool.SetPoolSize(44);
    Session.Options().VariableSpeed = true;
    for (int i = 0; i < 4; ++i) {
        AnswerOne(true);
    }
    EXPECT_EQ(Log.Calls, "");
    EXPECT_EQ(Session.RightStreak(), 4);
    AnswerOne(true);
    EXPECT_EQ(Log.Calls, "U");
    EXPECT_EQ(Session.RightStreak(), 0);
    AnswerOne(true);
    AnswerOne(false);
    EXPECT_EQ(Log.Calls, "UD");
    EXPECT_EQ(Session.RightStreak(), 0);
    for (int i = 0; i < 4; ++i) {
        AnswerOne(true);
    }
    EXPECT_EQ(Log.Calls, "UD");  // the streak started again from the wrong answer
    AnswerOne(true);
    EXPECT_EQ(Log.Calls, "UDU");
    EXPECT_EQ(Session.DelayCounter(), 0);  // delay adjustment off
}

TEST_F(QuizSessionTest, DelayCounterFollowsTheSignedRemainder) {
    Pool.SetPoolSize(44);
    Session.Options().VariableSpeed = true;
    Session.Options().DelayAdjust = true;
    AnswerOne(false);  // -1: remainder -1, longer
    EXPECT_EQ(Log.Calls, "DL");
    EXPECT_EQ(Session.DelayCounter(), -1);
    for (int i = 2; i <= 5; ++i) {
        AnswerOne(false);  // -2 .. -5: remainders -2, -3, -4, 0: no delay change
    }
    EXPECT_EQ(Log.Calls, "DLDDDD");
    AnswerOne(false);  // -6: remainder -1, longer
    EXPECT_EQ(Log.Calls, "DLDDDDDL");
    EXPECT_EQ(Session.DelayCounter(), -6);
}

TEST_F(QuizSessionTest, FifthStreakFromZeroShortensTheDelay) {
    Pool.SetPoolSize(44);
    Session.Options().VariableSpeed = true;
    Session.Options().DelayAdjust = true;
    for (int streak = 1; streak <= 4; ++streak) {
        for (int i = 0; i < 5; ++i) {
            AnswerOne(true);
        }
    }
    EXPECT_EQ(Log.Calls, "UUUU");
    EXPECT_EQ(Session.DelayCounter(), 4);
    for (int i = 0; i < 5; ++i) {
        AnswerOne(true);
    }
    EXPECT_EQ(Log.Calls, "UUUUUS");
    EXPECT_EQ(Session.DelayCounter(), 5);
    AnswerOne(false);  // 4: remainder 4, longer again
    EXPECT_EQ(Log.Calls, "UUUUUSDL");
    Session.ResetAdaptation();
    EXPECT_EQ(Session.DelayCounter(), 0);
    EXPECT_EQ(Session.RightStreak(), 0);
}

TEST_F(QuizSessionTest, StreakBackToZeroAfterWrongGivesShorterDelay) {
    // -1 then one streak of five brings the counter to 0, whose remainder is 0.
    Pool.SetPoolSize(44);
    Session.Options().VariableSpeed = true;
    Session.Options().DelayAdjust = true;
    AnswerOne(false);
    for (int i = 0; i < 5; ++i) {
        AnswerOne(true);
    }
    EXPECT_EQ(Log.Calls, "DLUS");
    EXPECT_EQ(Session.DelayCounter(), 0);
}

}  // namespace
}  // namespace kelvaro
