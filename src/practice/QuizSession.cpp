// The quiz's bookkeeping: questions, verdicts, the mark, the revise list and the adaptation of
// speed and answer delay to the user's results.
#include "practice/QuizSession.h"

#include <algorithm>

namespace kelvaro {

QuizSession::QuizSession(QuizAdaptation adaptation) : Adapt(std::move(adaptation)) {}

void QuizSession::SetQuizCount(int count) {
    Count = std::clamp(count, kMinCount, kMaxCount);
    Remaining = Count;
}

std::optional<std::uint8_t> QuizSession::Ask(RandomGenerator& random, const CharacterPool& pool) {
    if (pool.PoolSize() <= 0) {
        IsRunning = false;
        Unjudged = false;
        return std::nullopt;
    }
    if (Replay) {
        Asking = *Replay;
        Replay.reset();
    } else {
        const auto offset = random.RandomInt(static_cast<std::uint32_t>(pool.PoolSize()));
        Asking = pool.Slot(pool.PoolStart() + static_cast<int>(offset));
    }
    IsRunning = true;
    Unjudged = true;
    ++QuizAsked;
    return Asking;
}

QuizVerdict QuizSession::Judge(std::string_view answer) {
    Unjudged = false;
    LastRight = answer.size() == 1 && static_cast<std::uint8_t>(answer.front()) == Asking;
    QuizVerdict verdict;
    verdict.Right = LastRight;
    if (LastRight) {
        RightAnswer();
        return verdict;
    }
    Wrong();
    RecordError();
    if (Choices.ResumeDelaySeconds > 0) {
        verdict.ShowReviseNow = true;
        verdict.ResumeDelayMs = Choices.ResumeDelaySeconds * 1000;
    }
    return verdict;
}

void QuizSession::Wrong() {
    if (!Choices.VariableSpeed) {
        return;
    }
    Streak = 0;
    Call(Adapt.SpeedDown);
    if (Choices.DelayAdjust) {
        --Counter;
        const int remainder = Counter % kDelayCounterPeriod;
        if (remainder == 4 || remainder == -1) {
            Call(Adapt.DelayLonger);
        }
    }
}

void QuizSession::RightAnswer() {
    ++QuizRight;
    if (!Choices.VariableSpeed) {
        return;
    }
    Streak = Streak <= 0 ? 1 : Streak + 1;
    if (Streak < kStreakForSpeedUp) {
        return;
    }
    Streak = 0;
    Call(Adapt.SpeedUp);
    if (Choices.DelayAdjust) {
        ++Counter;
        if (Counter % kDelayCounterPeriod == 0) {
            Call(Adapt.DelayShorter);
        }
    }
}

// Without a resume delay the list is a sorted set, shown only when the quiz stops; with one,
// every error is listed in the order it happened.
void QuizSession::RecordError() {
    const char asked = static_cast<char>(Asking);
    if (Choices.ResumeDelaySeconds > 0) {
        Revise += asked;
        return;
    }
    if (Revise.find(asked) != std::string::npos) {
        return;
    }
    const auto greater = std::find_if(Revise.begin(), Revise.end(), [this](char listed) {
        return static_cast<std::uint8_t>(listed) > Asking;
    });
    Revise.insert(greater, asked);
}

QuizStep QuizSession::Advance() {
    if (!IsRunning) {
        return QuizStep::Stopped;
    }
    if (Remaining < 2) {
        Remaining = Count;
        Replay.reset();
        return QuizStep::Finished;
    }
    --Remaining;
    if (!LastRight && Choices.ReplayLastError) {
        Replay = Asking;
    } else {
        Replay.reset();
    }
    return QuizStep::AskNext;
}

void QuizSession::Stop() {
    if (IsRunning && Unjudged && QuizAsked > 0) {
        --QuizAsked;
    }
    IsRunning = false;
    Unjudged = false;
}

void QuizSession::ResetAdaptation() {
    Streak = 0;
    Counter = 0;
}

void QuizSession::ClearReport() {
    QuizRight = 0;
    Remaining = Count;
    QuizAsked = IsRunning ? 1 : 0;
    Revise.clear();
}

std::string QuizSession::MarkText() const {
    const int percent = QuizAsked > 0 ? (QuizRight * 200 + QuizAsked) / (2 * QuizAsked) : 0;
    return MarkToSend() + " = " + std::to_string(percent) + "%";
}

std::string QuizSession::MarkToSend() const {
    return std::to_string(QuizRight) + "/" + std::to_string(QuizAsked);
}

void QuizSession::Call(const std::function<void()>& action) {
    if (action) {
        action();
    }
}

}  // namespace kelvaro
