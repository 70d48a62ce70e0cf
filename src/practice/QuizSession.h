// The quiz's bookkeeping: questions, verdicts, the mark, the revise list and the adaptation of
// speed and answer delay to the user's results.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/CharacterPool.h"
#include "core/RandomGenerator.h"

namespace kelvaro {

/// The user's quiz choices, read at every verdict.
struct QuizOptions {
    /// Five right answers in a row raise the speed, a wrong answer lowers it.
    bool VariableSpeed = false;
    /// With VariableSpeed: the answer delay follows the results too.
    bool DelayAdjust = false;
    /// 0: the revise list is sorted, without repeats, and shown when the quiz stops.
    /// 1 .. 3: errors are listed as they happen and the quiz waits this long after each one.
    int ResumeDelaySeconds = 0;
    /// A wrongly answered character is asked again until it is answered right.
    bool ReplayLastError = false;
};

/// What the window does when the results call for it; any of them may be empty.
struct QuizAdaptation {
    std::function<void()> SpeedUp;
    std::function<void()> SpeedDown;
    /// One delay step longer / shorter.
    std::function<void()> DelayLonger;
    std::function<void()> DelayShorter;
};

/// The outcome of one judged answer.
struct QuizVerdict {
    bool Right = false;
    /// The revise list changed and is to be shown at once.
    bool ShowReviseNow = false;
    /// The wait before the quiz goes on (after a wrong answer with a resume delay), else 0.
    int ResumeDelayMs = 0;
};

/// What follows a verdict once its wait is over.
enum class QuizStep { AskNext, Finished, Stopped };

/// One quiz run after another, with the report kept across runs until ClearReport.
///
///   idle --Ask--> asked (character playing, then the answer delay runs)
///     ^             |  Stop: the question is not counted
///     |           Judge
///     |             v
///     +--Stop--- judged --Advance--> asked again (AskNext)
///                   |
///                   +--Advance, last question--> Finished (Remaining back to QuizCount)
///
/// Asked, Right and the revise list add up over runs; Remaining counts the questions of the
/// run and survives Stop, so OK continues the count. Window thread only.
class QuizSession {
public:
    static constexpr int kMinCount = 5;
    static constexpr int kMaxCount = 1000;
    static constexpr int kStreakForSpeedUp = 5;
    static constexpr int kDelayCounterPeriod = 5;

    explicit QuizSession(QuizAdaptation adaptation = {});

    QuizOptions& Options() { return Choices; }
    const QuizOptions& Options() const { return Choices; }

    /// The number of questions of a run (5 .. 1000); setting it restarts the run's count.
    int QuizCount() const { return Count; }
    void SetQuizCount(int count);
    /// Remaining := QuizCount (a mode is selected).
    void RestartCount() { Remaining = Count; }

    /// The next question: the character to ask again if one is set (then it is cleared),
    /// else a random character of the pool's window. Nothing when the window is empty: the
    /// quiz is then not running.
    std::optional<std::uint8_t> Ask(RandomGenerator& random, const CharacterPool& pool);

    /// Judges the answer to the question asked (both in lower case); an empty answer is wrong.
    /// Adapts speed and delay through the callbacks and records an error in the revise list.
    QuizVerdict Judge(std::string_view answer);

    /// After a verdict and its wait: the next question, the end of the run, or nothing when
    /// the quiz was stopped meanwhile.
    QuizStep Advance();

    /// The Stop action: a question asked and not yet judged is not counted.
    void Stop();
    /// The quiz's own Stop button also forgets the streak and the delay counter.
    void ResetAdaptation();
    /// Right := 0, Remaining := QuizCount, Asked := 1 while a quiz runs (the question in
    /// progress) else 0, revise list emptied.
    void ClearReport();

    /// "7/10 = 70%": the percentage rounded to the nearest whole number, halves up.
    std::string MarkText() const;
    /// "7/10", the mark as it is sent in Morse code.
    std::string MarkToSend() const;

    bool Running() const { return IsRunning; }
    bool AwaitingVerdict() const { return Unjudged; }
    int Asked() const { return QuizAsked; }
    int Right() const { return QuizRight; }
    int RemainingQuestions() const { return Remaining; }
    int RightStreak() const { return Streak; }
    int DelayCounter() const { return Counter; }
    const std::string& ReviseList() const { return Revise; }
    const std::optional<std::uint8_t>& ReplayChar() const { return Replay; }
    void ClearReplayChar() { Replay.reset(); }
    /// The character last asked.
    std::uint8_t Question() const { return Asking; }

private:
    void Wrong();
    void RightAnswer();
    void RecordError();
    static void Call(const std::function<void()>& action);

    QuizAdaptation Adapt;
    QuizOptions Choices;
    int Count = 100;
    int Remaining = 100;
    int QuizAsked = 0;
    int QuizRight = 0;
    int Streak = 0;
    /// Net adaptation counter of the delay; its remainder by 5 keeps the dividend's sign.
    int Counter = 0;
    std::string Revise;
    std::optional<std::uint8_t> Replay;
    std::uint8_t Asking = 0;
    bool LastRight = false;
    bool IsRunning = false;
    bool Unjudged = false;
};

}  // namespace kelvaro
