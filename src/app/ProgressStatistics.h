// Figures drawn from the practice history: per-character accuracy and answer time, accuracy and
// speed over time, what each character was taken for, lesson advice and the weak-character
// weights.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/PracticeHistory.h"

namespace kelvaro {

struct CharacterStats {
    std::uint8_t Character = 0;
    int Sent = 0;
    int Right = 0;
    int TimedAnswers = 0;
    std::int64_t AnswerMsTotal = 0;
    double AccuracyPercent() const { return Sent == 0 ? 0.0 : 100.0 * Right / Sent; }
    /// -1 when no answer was timed.
    double MeanAnswerMs() const {
        return TimedAnswers == 0 ? -1.0 : static_cast<double>(AnswerMsTotal) / TimedAnswers;
    }
};

struct RunPoint {
    std::int64_t TimeMs = 0;
    double Value = 0.0;
};

/// Counts of (sent, copied) pairs; copied 0 is a missed character.
struct ConfusionMatrix {
    /// The characters sent, in code order: the rows.
    std::vector<std::uint8_t> Sent;
    /// The characters copied for them, in code order, 0 (missed) first: the columns.
    std::vector<std::uint8_t> Copied;
    /// Counts[row * Copied.size() + column].
    std::vector<int> Counts;
    int At(std::size_t row, std::size_t column) const { return Counts[row * Copied.size() + column]; }
};

/// Plain functions over runs read from the history (oldest first).
class ProgressStatistics {
public:
    ProgressStatistics() = delete;

    /// Every character sent, worst accuracy first (then the most sent, then code order).
    static std::vector<CharacterStats> PerCharacter(const std::vector<HistoryRun>& runs);
    /// Accuracy in percent of each run that sent `character` (0: every character).
    static std::vector<RunPoint> AccuracyOverTime(const std::vector<HistoryRun>& runs,
                                                  std::uint8_t character);
    /// The speed of each run, in wpm.
    static std::vector<RunPoint> SpeedOverTime(const std::vector<HistoryRun>& runs);
    static ConfusionMatrix Confusions(const std::vector<HistoryRun>& runs);
    /// Whether every one of the last `lastRuns` runs of the lesson (runs named `setName`)
    /// copied its characters at `thresholdPercent` or better.
    static bool LessonMastered(const std::vector<HistoryRun>& runs, const std::string& setName,
                               double thresholdPercent = 90.0, int lastRuns = 3);
    /// One weight per candidate: its recent error rate, smoothed so that a character never
    /// heard yet counts as half wrong and a perfect one is still drawn now and then.
    static std::vector<double> WeakWeights(const std::vector<CharacterStats>& stats,
                                           const std::string& candidates);
    /// A set of `slots` characters in which each candidate appears in proportion to its weight
    /// (at least once; largest remainders round), for drawing from uniformly. Empty when there
    /// is no candidate; the candidates are cut to `slots` when there are more.
    static std::string WeightedSet(const std::string& candidates, const std::vector<double>& weights,
                                   int slots);
    /// One line per answer: time, mode, speed, spacing, set, sent, copied, right, answer time.
    static std::string Csv(const std::vector<HistoryRun>& runs);
};

}  // namespace kelvaro
