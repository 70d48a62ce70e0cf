// The random-groups generator: one character per call, grouped, counted, with the exam phases.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/CharacterPool.h"
#include "core/RandomGenerator.h"

namespace kelvaro {

/// What a group may contain besides the drawn characters' own set.
enum class GroupRule { Mixed, NonMixed, Callsigns };

/// What the exam does when a phase has ended.
enum class ExamFollowUp { None, Groups, Text };

/// One generated character and what the pane does before showing it.
struct SeriesStep {
    /// Nothing can be generated: no character in the set, or no word list where one is needed.
    bool NoCharacters = false;
    /// The first character of a series.
    bool SeriesStarted = false;
    /// Start a new line when the pane's last line is not empty.
    bool NewLineIfNeeded = false;
    /// Start a new line in any case (a new line of exam text).
    bool NewLine = false;
    /// The exam has just entered its warm-up phase.
    bool ExamWarmUpStarted = false;
    std::uint8_t Character = 0;
};

/// What the pane shows after a group's last character.
struct GroupClose {
    bool AppendSpace = false;
    bool NewLine = false;
};

/// What happens when a character has finished playing.
struct CharacterEnd {
    enum class Kind { NotRunning, SeriesOver, Stopped, Continue };
    Kind What = Kind::NotRunning;
    /// The end of a series is announced with the information beep.
    bool Beep = false;
    ExamFollowUp FollowUp = ExamFollowUp::None;
    /// The exam went back to idle (after its text phase).
    bool ExamReset = false;
};

/// The series as a state machine driven by the window:
///
///   idle --Next()--> running --(character played)--> End() --Continue--> Next() ...
///                                                        |--Stopped (Stop was requested)
///                                                        +--SeriesOver (count reached)
///
/// Three branches produce a character, tried in this order: a vocabulary line (a drawn line
/// is always finished), an exam warm-up or text line (closed with "+"), else a group drawn
/// from the pool window, optionally after a leading group of V, with the non-mixed or
/// callsign rule (at most 1000 draws per character). The exam's groups phase plays "vvv",
/// then 150 letters and 30 figures in groups of five, the last one replaced by "+".
/// Window thread only.
class RandomSeries {
public:
    static constexpr int kMaxDraws = 1000;
    static constexpr int kDefaultGroupLength = 5;
    static constexpr int kExamGroupsCount = 184;
    static constexpr int kExamWarmUpCount = 123;
    static constexpr int kExamTextCount = 183;
    /// Exam groups switch from letters to figures when fewer characters remain.
    static constexpr int kExamFiguresBelow = 32;
    static constexpr int kLeadingVsDone = 10;
    static constexpr int kExamLeadingVsJustDone = 11;

    RandomSeries(CharacterPool& pool, RandomGenerator& random);

    // Options, set by the menus.
    /// 2..8, or 0 for a length drawn per group (2..8). A fixed length applies at once.
    void SetGroupLengthOption(int length);
    int GroupLengthOption() const { return LengthOption; }
    GroupRule Rule = GroupRule::Mixed;
    bool AddLeadingVs = false;
    bool VocabularyChecked = false;
    /// The exam is checked (and available in the interface language).
    bool ExamChecked = false;
    /// Characters per series, 5..1000.
    int Count = 250;
    /// The lines of the word list, as 8-bit codes; empty when there is none.
    std::vector<std::string> Words;

    // Run state.
    bool Running() const { return IsRunning; }
    bool StopRequested() const { return IsStopRequested; }
    bool Silent() const { return IsSilent; }
    void SetSilent(bool silent) { IsSilent = silent; }
    /// Play: a new request to run clears an earlier Stop.
    void ClearStopRequest() { IsStopRequested = false; }
    /// Stop: the character already queued finishes, nothing new is generated.
    void Stop();

    /// Generates the next character (starting a series when none runs).
    SeriesStep Next();
    /// After the character is handed over: the group closes when it is complete.
    GroupClose CloseGroupIfComplete();
    /// The character handed over has finished playing.
    CharacterEnd End(std::uint8_t played);
    /// The set changed during a series: the count and the group start again. Returns whether
    /// a series runs (the pane then starts a new line when its last line is not empty).
    bool RestartCount();
    /// The pane was cleared.
    void ClearPane() { Position = 0; }

    /// The engine ends the character with a word gap.
    bool CompletesGroup() const { return Position == Length; }
    int GroupPosition() const { return Position; }
    int GroupLength() const { return Length; }
    int RandomRemaining() const { return Remaining; }
    void SetRandomRemaining(int remaining) { Remaining = remaining; }
    const std::string& PendingWords() const { return Pending; }
    void ClearPendingWords() { Pending.clear(); }

    // The exam: 0 idle, 1 warm-up, 2 groups, 3 text.
    int ExamPhase() const { return Phase; }
    void SetExamPhase(int phase) { Phase = phase; }
    void ResetExam();

private:
    enum class Branch { Groups, Vocabulary, ExamWords };

    bool ExamMode() const { return ExamChecked; }
    bool HasWords() const { return !Words.empty(); }
    void DrawLine();
    SeriesStep TakePending(SeriesStep step);
    std::uint8_t DrawCharacter();
    void NewRandomLength();
    static int NonSpaceCount(const std::string& text);

    CharacterPool& Pool;
    RandomGenerator& Random;
    int LengthOption = kDefaultGroupLength;

    bool IsRunning = false;
    bool IsStopRequested = false;
    bool IsSilent = false;
    Branch LastBranch = Branch::Groups;
    int Remaining = 0;
    int Position = 0;
    int Length = kDefaultGroupLength;
    int LeadingVCount = kLeadingVsDone;
    std::uint8_t FirstChar = 0;
    std::uint8_t SecondChar = 0;
    std::string Pending;
    int Phase = 0;
    bool ExamLineBreakPending = false;
};

}  // namespace kelvaro
