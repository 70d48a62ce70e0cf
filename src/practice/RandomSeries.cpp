// The random-groups generator: one character per call, grouped, counted, with the exam phases.
#include "practice/RandomSeries.h"

#include "practice/CharacterSets.h"

namespace kelvaro {

RandomSeries::RandomSeries(CharacterPool& pool, RandomGenerator& random) : Pool(pool), Random(random) {}

void RandomSeries::SetGroupLengthOption(int length) {
    LengthOption = length;
    if (length != 0) {
        Length = length;
    }
}

void RandomSeries::Stop() {
    if (IsRunning) {
        IsStopRequested = true;
    }
    IsRunning = false;
    IsSilent = false;
}

void RandomSeries::ResetExam() {
    Phase = 0;
    ExamLineBreakPending = false;
}

void RandomSeries::NewRandomLength() {
    if (LengthOption == 0) {
        Length = 2 + static_cast<int>(Random.RandomInt(7));
    }
}

int RandomSeries::NonSpaceCount(const std::string& text) {
    int count = 0;
    for (const char c : text) {
        count += c != ' ' ? 1 : 0;
    }
    return count;
}

// A line of the word list and one blank join the pending text.
void RandomSeries::DrawLine() {
    Pending += Words[Random.RandomInt(static_cast<std::uint32_t>(Words.size()))];
    Pending += ' ';
}

SeriesStep RandomSeries::TakePending(SeriesStep step) {
    step.Character = static_cast<std::uint8_t>(Pending.front());
    Pending.erase(0, 1);
    IsRunning = true;
    return step;
}

bool RandomSeries::RestartCount() {
    if (!IsRunning) {
        return false;
    }
    Position = 0;
    Remaining = Count;
    return true;
}

SeriesStep RandomSeries::Next() {
    SeriesStep step;
    const bool starting = !IsRunning;
    step.SeriesStarted = starting;

    if (VocabularyChecked && HasWords()) {
        LastBranch = Branch::Vocabulary;
        if (starting) {
            Remaining = Count;
            step.NewLineIfNeeded = true;
            Pending = AddLeadingVs ? "VVVVV " : "";
        }
        if (Pending.empty()) {
            DrawLine();
            const int letters = NonSpaceCount(Pending);
            if (Remaining < letters) {
                Remaining = letters;  // a drawn line is always finished
            }
        }
        return TakePending(step);
    }
    if (ExamMode() && HasWords() && Phase == 0) {
        Phase = 1;
        step.ExamWarmUpStarted = true;
    }
    if (ExamMode() && HasWords() && (Phase == 1 || Phase == 3)) {
        LastBranch = Branch::ExamWords;
        if (starting) {
            Remaining = Phase == 3 ? kExamTextCount : kExamWarmUpCount;
            step.NewLineIfNeeded = true;
            Pending = "VVV ";
            ExamLineBreakPending = true;
        }
        if (Pending.empty()) {
            if (ExamLineBreakPending) {
                step.NewLine = true;
                ExamLineBreakPending = false;
            }
            DrawLine();
            const int letters = NonSpaceCount(Pending);
            if (letters >= Remaining) {
                // The line that reaches the count is closed with "+".
                Pending += "+ ";
                Remaining = letters + 2;
            }
        }
        return TakePending(step);
    }

    LastBranch = Branch::Groups;
    if (Pool.PoolSize() == 0 || VocabularyChecked || (ExamMode() && Phase == 2 && !HasWords())) {
        step.NoCharacters = true;
        IsRunning = false;
        return step;
    }
    if (starting) {
        Position = 0;
        if (AddLeadingVs) {
            LeadingVCount = 0;
            if (LengthOption == 0) {
                Length = kDefaultGroupLength;
            }
        } else {
            LeadingVCount = kLeadingVsDone;
            NewRandomLength();
        }
        step.NewLineIfNeeded = true;
        Remaining = Count;
        if (ExamMode()) {
            LeadingVCount = 0;
            Length = 3;
            Remaining = kExamGroupsCount;
        }
    }
    ++Position;
    std::uint8_t character = 0;
    if (LeadingVCount < Length) {
        character = 'v';
        ++LeadingVCount;
        if (LeadingVCount == Length) {
            LeadingVCount = kLeadingVsDone;
            if (ExamMode()) {
                // The V group closes now and the groups of five start on a new line.
                Length = kDefaultGroupLength;
                Position = kDefaultGroupLength;
                LeadingVCount = kExamLeadingVsJustDone;
            }
        }
    } else {
        character = DrawCharacter();
    }
    if (ExamMode() && Remaining == 1) {
        character = '+';
    }
    step.Character = character;
    IsRunning = true;
    return step;
}

std::uint8_t RandomSeries::DrawCharacter() {
    for (int draw = 0; draw < kMaxDraws; ++draw) {
        if (ExamMode()) {
            const bool figures = Remaining < kExamFiguresBelow;
            Pool.SetPoolStart(figures ? 26 : 0);
            Pool.SetPoolSize(figures ? 10 : 26);
        }
        const std::uint8_t c =
            Pool.Slot(Pool.PoolStart() +
                      static_cast<int>(Random.RandomInt(static_cast<std::uint32_t>(Pool.PoolSize()))));
        if (Position < 2) {
            FirstChar = c;
        }
        if (!ExamMode() && Position >= 2) {
            if (Rule == GroupRule::NonMixed &&
                CharacterSets::ClassOf(c) != CharacterSets::ClassOf(FirstChar)) {
                continue;
            }
            if (Rule == GroupRule::Callsigns) {
                const CharacterClass cls = CharacterSets::ClassOf(c);
                if (Position == 2) {
                    if (CharacterSets::ClassOf(FirstChar) == CharacterClass::Figure &&
                        cls == CharacterClass::Figure) {
                        continue;
                    }
                    SecondChar = c;
                } else if (Position == 3) {
                    if (CharacterSets::ClassOf(SecondChar) == CharacterClass::Letter &&
                        cls == CharacterClass::Letter) {
                        continue;
                    }
                } else if (cls != CharacterClass::Letter) {
                    continue;
                }
            }
        }
        return c;
    }
    return FirstChar;
}

GroupClose RandomSeries::CloseGroupIfComplete() {
    GroupClose close;
    if (LastBranch != Branch::Groups || Position != Length) {
        return close;
    }
    close.AppendSpace = true;
    if (LeadingVCount == kExamLeadingVsJustDone) {
        close.NewLine = true;
        LeadingVCount = kLeadingVsDone;
    }
    Position = 0;
    NewRandomLength();
    return close;
}

CharacterEnd RandomSeries::End(std::uint8_t played) {
    CharacterEnd end;
    if (!IsRunning) {
        return end;
    }
    // A blank inside a drawn line never ends the series: the line is finished first.
    const bool blankInsideLine = LastBranch != Branch::Groups && played == ' ' && !Pending.empty();
    if (Remaining < 2 && !blankInsideLine) {
        end.What = CharacterEnd::Kind::SeriesOver;
        end.Beep = !(IsSilent && ExamMode() && (Phase == 1 || Phase == 2));
        if (ExamMode()) {
            if (Phase == 1) {
                end.FollowUp = ExamFollowUp::Groups;
            } else if (Phase == 2) {
                end.FollowUp = ExamFollowUp::Text;
            } else if (Phase == 3) {
                ResetExam();
                IsSilent = false;
                end.ExamReset = true;
            }
        }
        IsRunning = false;
        return end;
    }
    if (LastBranch == Branch::Groups || played != ' ') {
        --Remaining;
    }
    if (Position == Length) {
        Position = 0;
        NewRandomLength();
    }
    if (IsStopRequested) {
        IsStopRequested = false;
        end.What = CharacterEnd::Kind::Stopped;
        return end;
    }
    end.What = CharacterEnd::Kind::Continue;
    return end;
}

}  // namespace kelvaro
