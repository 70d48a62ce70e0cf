// The learner's history: every checked series and every quiz answer, kept in an SQLite file
// beside the settings file.
#include "app/PracticeHistory.h"

#include <sqlite3.h>

#include <system_error>

namespace kelvaro {

namespace {

/// Runs one statement that gives no rows; false on any failure.
bool Execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

/// The first column of the first row of a query, or `fallback`.
std::int64_t QueryInteger(sqlite3* db, const char* sql, std::int64_t fallback, int* result = nullptr) {
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    std::int64_t value = fallback;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW) {
            value = sqlite3_column_int64(statement, 0);
            rc = SQLITE_OK;
        } else if (rc == SQLITE_DONE) {
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(statement);
    if (result != nullptr) {
        *result = rc;
    }
    return value;
}

/// Every schema step, in order: step n takes the file from version n to n + 1.
constexpr const char* kSchemaSteps[] = {
    // 0 -> 1
    "CREATE TABLE runs (id INTEGER PRIMARY KEY, time_ms INTEGER NOT NULL, mode TEXT NOT NULL,"
    " speed_wpm INTEGER NOT NULL, spacing INTEGER NOT NULL, set_name TEXT NOT NULL);"
    "CREATE TABLE answers (run_id INTEGER NOT NULL REFERENCES runs(id), position INTEGER NOT NULL,"
    " sent INTEGER NOT NULL, copied INTEGER NOT NULL, right INTEGER NOT NULL,"
    " PRIMARY KEY (run_id, position)) WITHOUT ROWID;",
    // 1 -> 2
    "ALTER TABLE answers ADD COLUMN answer_ms INTEGER NOT NULL DEFAULT -1;",
};
static_assert(std::size(kSchemaSteps) == PracticeHistory::kSchemaVersion);

}  // namespace

PracticeHistory::PracticeHistory(std::filesystem::path path) : FilePath(std::move(path)) {}

PracticeHistory::~PracticeHistory() {
    Close();
}

void PracticeHistory::Close() {
    if (Db != nullptr) {
        sqlite3_close_v2(Db);
        Db = nullptr;
    }
}

Status PracticeHistory::Fail(int code, const std::string& what) {
    std::string context = FilePath.string() + ": " + what;
    if (Db != nullptr) {
        context += " (" + std::string(sqlite3_errmsg(Db)) + ")";
    }
    Close();
    return Status::Failure(code, context);
}

Status PracticeHistory::Open() {
    Close();
    std::error_code error;
    std::filesystem::create_directories(FilePath.parent_path(), error);
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOFOLLOW;
    if (sqlite3_open_v2(FilePath.c_str(), &Db, flags, nullptr) != SQLITE_OK) {
        return Fail(CannotOpen, "cannot open");
    }
    sqlite3_busy_timeout(Db, kBusyTimeoutMs);
    // Only reads until the file is known to be ours and of a schema this version knows.
    int rc = SQLITE_OK;
    const std::int64_t applicationId = QueryInteger(Db, "PRAGMA application_id", 0, &rc);
    if (rc != SQLITE_OK) {
        return Fail(rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT ? Damaged : CannotOpen, "cannot read");
    }
    const std::int64_t version = QueryInteger(Db, "PRAGMA user_version", 0);
    const std::int64_t tables = QueryInteger(Db, "SELECT count(*) FROM sqlite_schema", -1, &rc);
    if (rc != SQLITE_OK) {
        return Fail(Damaged, "cannot read");
    }
    const bool empty = applicationId == 0 && version == 0 && tables == 0;
    if (!empty && applicationId != kApplicationId) {
        return Fail(NotOurs, "not a Kelvaro history");
    }
    if (version > kSchemaVersion) {
        return Fail(FutureSchema, "written by a newer Kelvaro (version " + std::to_string(version) + ")");
    }
    sqlite3_stmt* check = nullptr;
    bool sound = sqlite3_prepare_v2(Db, "PRAGMA quick_check", -1, &check, nullptr) == SQLITE_OK &&
                 sqlite3_step(check) == SQLITE_ROW &&
                 std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(check, 0))) == "ok";
    sqlite3_finalize(check);
    if (!sound) {
        return Fail(Damaged, "damaged");
    }
    if (!Execute(Db, "PRAGMA journal_mode=WAL") || !Execute(Db, "PRAGMA synchronous=FULL")) {
        return Fail(CannotOpen, "cannot use a write-ahead log");
    }
    return CreateOrUpgrade();
}

// In one transaction: another window may be creating or upgrading the same file right now, so
// the version is read again once the write lock is held.
Status PracticeHistory::CreateOrUpgrade() {
    if (!Execute(Db, "BEGIN IMMEDIATE")) {
        return Fail(CannotOpen, "busy");
    }
    const std::int64_t version = QueryInteger(Db, "PRAGMA user_version", 0);
    if (version > kSchemaVersion) {
        Execute(Db, "ROLLBACK");
        return Fail(FutureSchema, "written by a newer Kelvaro (version " + std::to_string(version) + ")");
    }
    for (std::int64_t step = version; step < kSchemaVersion; ++step) {
        if (!Execute(Db, kSchemaSteps[step])) {
            Execute(Db, "ROLLBACK");
            return Fail(WriteFailed, "cannot upgrade");
        }
    }
    const std::string stamp = "PRAGMA application_id=" + std::to_string(kApplicationId) +
                              "; PRAGMA user_version=" + std::to_string(kSchemaVersion) + ";";
    if (version != kSchemaVersion && !Execute(Db, stamp.c_str())) {
        Execute(Db, "ROLLBACK");
        return Fail(WriteFailed, "cannot upgrade");
    }
    if (!Execute(Db, "COMMIT")) {
        Execute(Db, "ROLLBACK");
        return Fail(WriteFailed, "cannot upgrade");
    }
    return Status::Success();
}

Status PracticeHistory::Add(HistoryRun& run) {
    if (Db == nullptr) {
        return Status::Failure(NotOpen, FilePath.string());
    }
    auto failed = [this](const char* what) {
        std::string context = FilePath.string() + ": " + what + " (" + sqlite3_errmsg(Db) + ")";
        Execute(Db, "ROLLBACK");
        return Status::Failure(WriteFailed, context);
    };
    if (!Execute(Db, "BEGIN IMMEDIATE")) {
        return failed("busy");
    }
    sqlite3_stmt* insertRun = nullptr;
    sqlite3_prepare_v2(Db,
                       "INSERT INTO runs (time_ms, mode, speed_wpm, spacing, set_name) VALUES (?,?,?,?,?)",
                       -1, &insertRun, nullptr);
    sqlite3_bind_int64(insertRun, 1, run.TimeMs);
    sqlite3_bind_text(insertRun, 2, run.Mode.data(), static_cast<int>(run.Mode.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int(insertRun, 3, run.SpeedWpm);
    sqlite3_bind_int(insertRun, 4, run.Spacing);
    sqlite3_bind_text(insertRun, 5, run.SetName.data(), static_cast<int>(run.SetName.size()),
                      SQLITE_TRANSIENT);
    const bool runWritten = sqlite3_step(insertRun) == SQLITE_DONE;
    sqlite3_finalize(insertRun);
    if (!runWritten) {
        return failed("cannot write");
    }
    const std::int64_t id = sqlite3_last_insert_rowid(Db);
    sqlite3_stmt* insertAnswer = nullptr;
    sqlite3_prepare_v2(Db,
                       "INSERT INTO answers (run_id, position, sent, copied, right, answer_ms)"
                       " VALUES (?,?,?,?,?,?)",
                       -1, &insertAnswer, nullptr);
    bool answersWritten = insertAnswer != nullptr;
    for (std::size_t i = 0; answersWritten && i < run.Answers.size(); ++i) {
        const HistoryAnswer& answer = run.Answers[i];
        sqlite3_reset(insertAnswer);
        sqlite3_bind_int64(insertAnswer, 1, id);
        sqlite3_bind_int64(insertAnswer, 2, static_cast<std::int64_t>(i));
        sqlite3_bind_int(insertAnswer, 3, answer.Sent);
        sqlite3_bind_int(insertAnswer, 4, answer.Copied);
        sqlite3_bind_int(insertAnswer, 5, answer.Right ? 1 : 0);
        sqlite3_bind_int(insertAnswer, 6, answer.AnswerMs);
        answersWritten = sqlite3_step(insertAnswer) == SQLITE_DONE;
    }
    sqlite3_finalize(insertAnswer);
    if (!answersWritten) {
        return failed("cannot write");
    }
    if (!Execute(Db, "COMMIT")) {
        return failed("cannot write");
    }
    run.Id = id;
    return Status::Success();
}

std::vector<HistoryRun> PracticeHistory::LastRuns(int count) const {
    std::vector<HistoryRun> runs;
    if (Db == nullptr) {
        return runs;
    }
    // One read transaction: a run being written by another window is seen whole or not at all.
    Execute(Db, "BEGIN");
    sqlite3_stmt* selectRuns = nullptr;
    sqlite3_prepare_v2(Db,
                       "SELECT id, time_ms, mode, speed_wpm, spacing, set_name FROM"
                       " (SELECT * FROM runs ORDER BY id DESC LIMIT ?) ORDER BY id",
                       -1, &selectRuns, nullptr);
    sqlite3_bind_int(selectRuns, 1, count > 0 ? count : -1);
    while (selectRuns != nullptr && sqlite3_step(selectRuns) == SQLITE_ROW) {
        HistoryRun run;
        run.Id = sqlite3_column_int64(selectRuns, 0);
        run.TimeMs = sqlite3_column_int64(selectRuns, 1);
        run.Mode = reinterpret_cast<const char*>(sqlite3_column_text(selectRuns, 2));
        run.SpeedWpm = sqlite3_column_int(selectRuns, 3);
        run.Spacing = sqlite3_column_int(selectRuns, 4);
        run.SetName = reinterpret_cast<const char*>(sqlite3_column_text(selectRuns, 5));
        runs.push_back(std::move(run));
    }
    sqlite3_finalize(selectRuns);
    if (!runs.empty()) {
        sqlite3_stmt* selectAnswers = nullptr;
        sqlite3_prepare_v2(Db,
                           "SELECT run_id, sent, copied, right, answer_ms FROM answers"
                           " WHERE run_id >= ? AND run_id <= ? ORDER BY run_id, position",
                           -1, &selectAnswers, nullptr);
        sqlite3_bind_int64(selectAnswers, 1, runs.front().Id);
        sqlite3_bind_int64(selectAnswers, 2, runs.back().Id);
        std::size_t at = 0;
        while (selectAnswers != nullptr && sqlite3_step(selectAnswers) == SQLITE_ROW) {
            const std::int64_t runId = sqlite3_column_int64(selectAnswers, 0);
            while (at < runs.size() && runs[at].Id < runId) {
                ++at;
            }
            if (at == runs.size() || runs[at].Id != runId) {
                continue;
            }
            HistoryAnswer answer;
            answer.Sent = static_cast<std::uint8_t>(sqlite3_column_int(selectAnswers, 1));
            answer.Copied = static_cast<std::uint8_t>(sqlite3_column_int(selectAnswers, 2));
            answer.Right = sqlite3_column_int(selectAnswers, 3) != 0;
            answer.AnswerMs = sqlite3_column_int(selectAnswers, 4);
            runs[at].Answers.push_back(answer);
        }
        sqlite3_finalize(selectAnswers);
    }
    Execute(Db, "COMMIT");
    return runs;
}

std::int64_t PracticeHistory::AnswerCount() const {
    return Db == nullptr ? 0 : QueryInteger(Db, "SELECT count(*) FROM answers", 0);
}

}  // namespace kelvaro
