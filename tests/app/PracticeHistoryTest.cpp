// The history file: runs written and read back, a writer killed in the middle of a run, two
// writers at once, files that are not ours or are newer or damaged, and the upgrade from the
// first schema.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/PracticeHistory.h"
#include "support/ScratchFolder.h"

namespace kelvaro::test {
namespace {

HistoryRun MakeRun(int seed, int answers) {
    HistoryRun run;
    run.TimeMs = 1'700'000'000'000 + seed;
    run.Mode = seed % 2 == 0 ? "random" : "quiz";
    run.SpeedWpm = 10 + seed % 30;
    run.Spacing = 1 + seed % 3;
    run.SetName = "Lesson #" + std::to_string(seed % 60 + 1);
    for (int i = 0; i < answers; ++i) {
        HistoryAnswer answer;
        answer.Sent = static_cast<std::uint8_t>('a' + (seed + i) % 26);
        answer.Right = (seed + i) % 7 != 0;
        answer.Copied = answer.Right ? answer.Sent : static_cast<std::uint8_t>('0' + i % 10);
        answer.AnswerMs = run.Mode == "quiz" ? 300 + i : -1;
        run.Answers.push_back(answer);
    }
    return run;
}

void ExpectSameRun(const HistoryRun& read, const HistoryRun& written) {
    EXPECT_EQ(read.Id, written.Id);
    EXPECT_EQ(read.TimeMs, written.TimeMs);
    EXPECT_EQ(read.Mode, written.Mode);
    EXPECT_EQ(read.SpeedWpm, written.SpeedWpm);
    EXPECT_EQ(read.Spacing, written.Spacing);
    EXPECT_EQ(read.SetName, written.SetName);
    ASSERT_EQ(read.Answers.size(), written.Answers.size());
    for (std::size_t i = 0; i < read.Answers.size(); ++i) {
        EXPECT_EQ(read.Answers[i].Sent, written.Answers[i].Sent) << i;
        EXPECT_EQ(read.Answers[i].Copied, written.Answers[i].Copied) << i;
        EXPECT_EQ(read.Answers[i].Right, written.Answers[i].Right) << i;
        EXPECT_EQ(read.Answers[i].AnswerMs, written.Answers[i].AnswerMs) << i;
    }
}

/// Every run's answers are all there: a run is never read half-written.
void ExpectWholeRuns(const std::vector<HistoryRun>& runs, std::size_t answersPerRun) {
    for (const HistoryRun& run : runs) {
        EXPECT_EQ(run.Answers.size(), answersPerRun) << "run " << run.Id;
    }
}

class PracticeHistoryTest : public ScratchFolderTest {
protected:
    PracticeHistoryTest() : ScratchFolderTest("kelvaro-history") {}
    std::filesystem::path File() const { return Folder / std::string(PracticeHistory::kFileName); }

    /// Writes runs of `answers` characters until killed, reporting each committed run on `pipe`.
    [[noreturn]] void WriteForever(int pipe, int seed, int answers, int limit = -1) {
        PracticeHistory history(File());
        if (!history.Open().Ok()) {
            _exit(2);
        }
        for (int i = 0; limit < 0 || i < limit; ++i) {
            HistoryRun run = MakeRun(seed + i, answers);
            if (!history.Add(run).Ok()) {
                _exit(3);
            }
            const char done = 'r';
            if (pipe >= 0 && write(pipe, &done, 1) != 1) {
                _exit(4);
            }
        }
        _exit(0);
    }

    /// A file of the first schema, as the first version with a history wrote it.
    void WriteVersionOneFile() {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(File().c_str(), &db), SQLITE_OK);
        const std::string sql =
            "PRAGMA application_id=" + std::to_string(PracticeHistory::kApplicationId) +
            "; PRAGMA user_version=1;"
            "CREATE TABLE runs (id INTEGER PRIMARY KEY, time_ms INTEGER NOT NULL, mode TEXT NOT NULL,"
            " speed_wpm INTEGER NOT NULL, spacing INTEGER NOT NULL, set_name TEXT NOT NULL);"
            "CREATE TABLE answers (run_id INTEGER NOT NULL REFERENCES runs(id), position INTEGER NOT NULL,"
            " sent INTEGER NOT NULL, copied INTEGER NOT NULL, right INTEGER NOT NULL,"
            " PRIMARY KEY (run_id, position)) WITHOUT ROWID;"
            "INSERT INTO runs VALUES (1, 1600000000000, 'random', 18, 2, 'Letters');"
            "INSERT INTO answers VALUES (1, 0, 97, 97, 1), (1, 1, 98, 120, 0);";
        ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
};

TEST_F(PracticeHistoryTest, RunsAreReadBackAsWrittenOldestFirstAndTheLastCountLimitsThem) {
    std::vector<HistoryRun> written;
    {
        PracticeHistory history(Folder / "new-folder" / std::string(PracticeHistory::kFileName));
        ASSERT_TRUE(history.Open().Ok());
        for (int i = 0; i < 5; ++i) {
            written.push_back(MakeRun(i, 20 + i));
            ASSERT_TRUE(history.Add(written.back()).Ok());
        }
        HistoryRun empty = MakeRun(99, 0);
        ASSERT_TRUE(history.Add(empty).Ok());
        written.push_back(empty);
    }
    PracticeHistory reopened(Folder / "new-folder" / std::string(PracticeHistory::kFileName));
    ASSERT_TRUE(reopened.Open().Ok());
    const std::vector<HistoryRun> all = reopened.LastRuns(0);
    ASSERT_EQ(all.size(), written.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        ExpectSameRun(all[i], written[i]);
    }
    const std::vector<HistoryRun> lastTwo = reopened.LastRuns(2);
    ASSERT_EQ(lastTwo.size(), 2u);
    ExpectSameRun(lastTwo[0], written[4]);
    ExpectSameRun(lastTwo[1], written[5]);
    EXPECT_EQ(reopened.AnswerCount(), 20 + 21 + 22 + 23 + 24);
}

TEST_F(PracticeHistoryTest, AWriterKilledInTheMiddleOfARunLeavesEveryCompleteRunReadable) {
    constexpr int kAnswers = 400;
    for (int round = 0; round < 5; ++round) {
        int pipes[2];
        ASSERT_EQ(pipe(pipes), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipes[0]);
            WriteForever(pipes[1], round * 1000, kAnswers);
        }
        close(pipes[1]);
        // Let it commit a few runs, then kill it while it writes the next one.
        int committed = 0;
        char done = 0;
        while (committed < 3 + round && read(pipes[0], &done, 1) == 1) {
            ++committed;
        }
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself: " << status;
        while (read(pipes[0], &done, 1) == 1) {
            ++committed;  // runs committed between the last report read and the kill
        }
        close(pipes[0]);

        PracticeHistory history(File());
        ASSERT_TRUE(history.Open().Ok()) << history.Path();
        const std::vector<HistoryRun> runs = history.LastRuns(0);
        ExpectWholeRuns(runs, kAnswers);
        ASSERT_FALSE(runs.empty());
        // Every reported run is there; at most the one whose report was cut off is extra.
        EXPECT_GE(runs.size(), static_cast<std::size_t>(committed));
        for (std::size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i].Id, static_cast<std::int64_t>(i + 1));
        }
        HistoryRun last = MakeRun(round * 1000 + static_cast<int>(runs.size()) - 1, kAnswers);
        last.Id = static_cast<std::int64_t>(runs.size());
        ExpectSameRun(runs.back(), last);
        std::filesystem::remove(File());
        std::filesystem::remove(File().string() + "-wal");
        std::filesystem::remove(File().string() + "-shm");
    }
}

TEST_F(PracticeHistoryTest, TwoWindowsWritingAtOnceLoseNoRun) {
    {
        PracticeHistory history(File());
        ASSERT_TRUE(history.Open().Ok());  // both writers then find the schema in place
    }
    constexpr int kRunsEach = 60;
    constexpr int kAnswers = 50;
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            WriteForever(-1, w * 100000, kAnswers, kRunsEach);
        }
    }
    for (const pid_t writer : writers) {
        int status = 0;
        waitpid(writer, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    PracticeHistory history(File());
    ASSERT_TRUE(history.Open().Ok());
    const std::vector<HistoryRun> runs = history.LastRuns(0);
    EXPECT_EQ(runs.size(), 2u * kRunsEach);
    ExpectWholeRuns(runs, kAnswers);
    int fromFirst = 0;
    for (const HistoryRun& run : runs) {
        fromFirst += run.TimeMs < 1'700'000'000'000 + 100000 ? 1 : 0;
    }
    EXPECT_EQ(fromFirst, kRunsEach);
}

TEST_F(PracticeHistoryTest, AFileThatIsNotOursNewerOrDamagedIsRefusedAndLeftAsItWas) {
    struct Refused {
        const char* Name;
        std::function<void()> Make;
        int Code;
    };
    auto sqlExec = [this](const std::string& sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(File().c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    };
    const std::string ours = "PRAGMA application_id=" + std::to_string(PracticeHistory::kApplicationId) + ";";
    const std::vector<Refused> cases = {
        {"another program's database",
         [&] {
             sqlExec(
                 "PRAGMA application_id=1234; CREATE TABLE notes (text TEXT); INSERT INTO notes VALUES "
                 "('x');");
         },
         PracticeHistory::NotOurs},
        {"a database without an id but with tables", [&] { sqlExec("CREATE TABLE runs (id INTEGER);"); },
         PracticeHistory::NotOurs},
        {"a newer schema", [&] { sqlExec(ours + "PRAGMA user_version=99; CREATE TABLE runs (id INTEGER);"); },
         PracticeHistory::FutureSchema},
        {"a text file", [&] { PutFile(File(), std::string(5000, 'k') + "\nnot a database\n"); },
         PracticeHistory::Damaged},
        {"a history cut short",
         [&] {
             PracticeHistory history(File());
             ASSERT_TRUE(history.Open().Ok());
             for (int i = 0; i < 40; ++i) {
                 HistoryRun run = MakeRun(i, 200);
                 ASSERT_TRUE(history.Add(run).Ok());
             }
         },
         PracticeHistory::Damaged},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.Name);
        std::filesystem::remove_all(Folder);
        std::filesystem::create_directories(Folder);
        c.Make();
        if (std::string(c.Name) == "a history cut short") {
            // Closed history, everything checkpointed into the file: damage its middle.
            std::string bytes = FileContents(File());
            ASSERT_GT(bytes.size(), 40000u);
            for (std::size_t i = 20000; i < 30000; ++i) {
                bytes[i] = static_cast<char>(0xA5);
            }
            PutFile(File(), bytes);
        }
        const std::string before = FileContents(File());
        PracticeHistory history(File());
        const Status status = history.Open();
        EXPECT_EQ(status.Code, c.Code) << status.Context;
        EXPECT_FALSE(history.IsOpen());
        HistoryRun run = MakeRun(1, 3);
        EXPECT_FALSE(history.Add(run).Ok());
        EXPECT_EQ(FileContents(File()), before);
    }
}

TEST_F(PracticeHistoryTest, AFirstVersionFileIsUpgradedKeepingItsRuns) {
    WriteVersionOneFile();
    PracticeHistory history(File());
    ASSERT_TRUE(history.Open().Ok());
    HistoryRun added = MakeRun(1, 4);
    ASSERT_TRUE(history.Add(added).Ok());
    const std::vector<HistoryRun> runs = history.LastRuns(0);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].Mode, "random");
    EXPECT_EQ(runs[0].SpeedWpm, 18);
    EXPECT_EQ(runs[0].SetName, "Letters");
    ASSERT_EQ(runs[0].Answers.size(), 2u);
    EXPECT_EQ(runs[0].Answers[1].Copied, 'x');
    EXPECT_FALSE(runs[0].Answers[1].Right);
    EXPECT_EQ(runs[0].Answers[1].AnswerMs, -1);  // not timed before version 2
    ExpectSameRun(runs[1], added);

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(File().c_str(), &db), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &statement, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(statement, 0), PracticeHistory::kSchemaVersion);
    sqlite3_finalize(statement);
    sqlite3_close(db);
}

}  // namespace
}  // namespace kelvaro::test
