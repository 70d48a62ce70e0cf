// The learner's history: every checked series and every quiz answer, kept in an SQLite file
// beside the settings file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/Status.h"

struct sqlite3;

namespace kelvaro {

/// One character of a run: what was sent, what was copied (0: nothing) and, for the quiz, how
/// long the answer took (-1: not timed).
struct HistoryAnswer {
    std::uint8_t Sent = 0;
    std::uint8_t Copied = 0;
    bool Right = false;
    int AnswerMs = -1;
};

/// A checked series, a checked file or one quiz answer.
struct HistoryRun {
    std::int64_t Id = 0;
    /// Milliseconds since 1970 (UTC).
    std::int64_t TimeMs = 0;
    /// "random", "file" or "quiz".
    std::string Mode;
    int SpeedWpm = 0;
    int Spacing = 0;
    /// The set or lesson as the pane named it.
    std::string SetName;
    std::vector<HistoryAnswer> Answers;
};

/// The history file. Opening never changes a file that is not ours (another application id),
/// that a newer Kelvaro wrote (a higher schema version) or that is damaged: Open says so and
/// the history stays off. Each run is written in one transaction of a write-ahead log, so a
/// kill at any moment leaves the runs committed before it, and several windows may write at
/// once (a writer waits for the other up to the busy timeout). Window thread only.
class PracticeHistory {
public:
    static constexpr std::string_view kFileName = "kelvaro-history.db";
    /// "KLVH" in the file's header.
    static constexpr std::int32_t kApplicationId = 0x4B4C5648;
    /// 1: runs and answers; 2: the answer time of the quiz.
    static constexpr int kSchemaVersion = 2;
    static constexpr int kBusyTimeoutMs = 5000;

    enum ErrorCode {
        NotOurs = 101,
        FutureSchema = 102,
        Damaged = 103,
        CannotOpen = 104,
        WriteFailed = 105,
        NotOpen = 106,
    };

    explicit PracticeHistory(std::filesystem::path path);
    ~PracticeHistory();
    PracticeHistory(const PracticeHistory&) = delete;
    PracticeHistory& operator=(const PracticeHistory&) = delete;

    /// Opens the file, creating it (and its folder) when missing and upgrading an older schema.
    Status Open();
    bool IsOpen() const { return Db != nullptr; }
    const std::filesystem::path& Path() const { return FilePath; }

    /// Writes the run and its answers; gives the run its Id.
    Status Add(HistoryRun& run);
    /// The last `count` runs (all when count <= 0), oldest first, with their answers.
    std::vector<HistoryRun> LastRuns(int count) const;
    std::int64_t AnswerCount() const;

private:
    Status Fail(int code, const std::string& what);
    Status CreateOrUpgrade();
    void Close();

    std::filesystem::path FilePath;
    sqlite3* Db = nullptr;
};

}  // namespace kelvaro
