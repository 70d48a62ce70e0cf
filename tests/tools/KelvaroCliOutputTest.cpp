// kelvaro-cli's -o over every kind of target, through the real program: the exit status, what
// it says, and what is on the disk afterwards.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include <thread>
#include "support/ScratchFolder.h"

namespace kelvaro::cli {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kOtherUser = 12345;

using test::FileContents;
using test::PutFile;

/// Equal bytes, and on a difference only the sizes and the first differing offset.
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) {
        return ::testing::AssertionSuccess();
    }
    const auto first = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    return ::testing::AssertionFailure() << actual.size() << " bytes, expected " << expected.size()
                                         << "; first difference at " << (first.first - actual.begin());
}

struct CliRun {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

class CliOutputTest : public test::ScratchFolderTest {
protected:
    CliOutputTest() : ScratchFolderTest("kelvaro-cli-output") {}
    void SetUp() override {
        ScratchFolderTest::SetUp();
        fs::create_directory(Folder / "work");
    }
    void TearDown() override {
        fs::permissions(Folder / "work", fs::perms::owner_all, fs::perm_options::add);
        ScratchFolderTest::TearDown();
    }

    CliRun Render(const std::string& text, const std::string& output) {
        const fs::path out = Folder / "stdout";
        const fs::path err = Folder / "stderr";
        const std::string command = std::string(KELVARO_CLI) + " render --text '" + text + "' -o '" + output +
                                    "' >'" + out.string() + "' 2>'" + err.string() + "'";
        const int status = std::system(command.c_str());
        CliRun run;
        run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Out = FileContents(out);
        run.Err = FileContents(err);
        return run;
    }
    fs::path Work() const { return Folder / "work"; }
};

/// One kind of target: how it is made, what the program should answer, what the disk holds.
struct TargetCase {
    const char* Kind;
    std::function<fs::path(const fs::path& work)> Make;
    int ExpectedExit;
    /// Expected on standard error after "kelvaro-cli: cannot write PATH: "; empty: nothing.
    std::string ExpectedReason;
    /// Checks what the disk holds afterwards, given the WAV a plain render gives.
    std::function<void(const fs::path& work, const fs::path& target, const std::string& wav,
                       const CliRun& run)>
        Check;
    bool NeedsRoot = false;
};

TEST_F(CliOutputTest, EveryKindOfTarget) {
    // The WAV every successful row must deliver.
    const CliRun reference = Render("paris", (Work() / "reference.wav").string());
    ASSERT_EQ(reference.ExitCode, 0) << reference.Err;
    const std::string wav = FileContents(Work() / "reference.wav");
    ASSERT_GT(wav.size(), 44u);
    fs::remove(Work() / "reference.wav");
    const bool root = ::geteuid() == 0;
    auto modeOf = [](const fs::path& path) {
        struct stat status {};
        ::lstat(path.c_str(), &status);
        return status.st_mode & 07777;
    };

    const std::vector<TargetCase> cases = {
        {"new name", [](const fs::path& w) { return w / "new.wav"; }, 0, "",
         [&](const fs::path&, const fs::path& t, const std::string& expected, const CliRun&) {
             EXPECT_TRUE(SameBytes(FileContents(t), expected));
         }},
        {"regular file",
         [](const fs::path& w) {
             PutFile(w / "old.wav", "old");
             fs::permissions(w / "old.wav", static_cast<fs::perms>(0640));
             return w / "old.wav";
         },
         0, "",
         [&](const fs::path&, const fs::path& t, const std::string& expected, const CliRun&) {
             EXPECT_TRUE(SameBytes(FileContents(t), expected));
             EXPECT_EQ(modeOf(t), 0640u);  // the old file's permissions stay
         }},
        {"read-only file",
         [](const fs::path& w) {
             PutFile(w / "ro.wav", "old");
             fs::permissions(w / "ro.wav", static_cast<fs::perms>(0444));
             return w / "ro.wav";
         },
         2, "Permission denied",
         [&](const fs::path&, const fs::path& t, const std::string&, const CliRun&) {
             EXPECT_EQ(FileContents(t), "old");
             EXPECT_EQ(modeOf(t), 0444u);
         }},
        {"file in a read-only folder",
         [](const fs::path& w) {
             fs::create_directory(w / "locked");
             PutFile(w / "locked" / "in.wav", "old");
             fs::permissions(w / "locked", static_cast<fs::perms>(0555));
             return w / "locked" / "in.wav";
         },
         2, "cannot create a file in",
         [&](const fs::path& w, const fs::path& t, const std::string&, const CliRun&) {
             EXPECT_EQ(FileContents(t), "old");
             EXPECT_EQ(std::distance(fs::directory_iterator(w / "locked"), fs::directory_iterator()), 1);
             fs::permissions(w / "locked", fs::perms::owner_all);
         }},
        {"symbolic link to an own regular file",
         [](const fs::path& w) {
             PutFile(w / "real.wav", "old");
             fs::create_symlink(w / "real.wav", w / "link.wav");
             return w / "link.wav";
         },
         0, "",
         [&](const fs::path& w, const fs::path& t, const std::string& expected, const CliRun&) {
             EXPECT_TRUE(fs::is_symlink(t));
             EXPECT_TRUE(SameBytes(FileContents(w / "real.wav"), expected));
         }},
        {"symbolic link to a file of another user",
         [](const fs::path& w) {
             PutFile(w / "theirs.wav", "theirs");
             EXPECT_EQ(::chown((w / "theirs.wav").c_str(), kOtherUser, kOtherUser), 0);
             fs::create_symlink(w / "theirs.wav", w / "trap.wav");
             return w / "trap.wav";
         },
         2, "a symbolic link to a file of another user",
         [&](const fs::path& w, const fs::path& t, const std::string&, const CliRun&) {
             EXPECT_TRUE(fs::is_symlink(t));
             EXPECT_EQ(FileContents(w / "theirs.wav"), "theirs");
             struct stat status {};
             ASSERT_EQ(::stat((w / "theirs.wav").c_str(), &status), 0);
             EXPECT_EQ(status.st_uid, kOtherUser);
         },
         true},
        {"dangling symbolic link",
         [](const fs::path& w) {
             fs::create_symlink(w / "nowhere.wav", w / "dangling.wav");
             return w / "dangling.wav";
         },
         2, "a symbolic link to a missing file",
         [&](const fs::path& w, const fs::path&, const std::string&, const CliRun&) {
             EXPECT_FALSE(fs::exists(w / "nowhere.wav"));
         }},
        {"folder",
         [](const fs::path& w) {
             fs::create_directory(w / "folder.wav");
             return w / "folder.wav";
         },
         2, "Is a directory",
         [&](const fs::path&, const fs::path& t, const std::string&, const CliRun&) {
             EXPECT_TRUE(fs::is_directory(t));
             EXPECT_TRUE(fs::is_empty(t));
         }},
        {"character device /dev/null", [](const fs::path&) { return fs::path("/dev/null"); }, 0, "",
         [&](const fs::path&, const fs::path& t, const std::string&, const CliRun&) {
             EXPECT_TRUE(fs::is_character_file(t));
         }},
        {"character device /dev/full", [](const fs::path&) { return fs::path("/dev/full"); }, 2,
         "No space left on device",
         [&](const fs::path&, const fs::path& t, const std::string&, const CliRun&) {
             EXPECT_TRUE(fs::is_character_file(t));
         }},
        {"standard output", [](const fs::path&) { return fs::path("-"); }, 0, "",
         [&](const fs::path&, const fs::path&, const std::string& expected, const CliRun& run) {
             EXPECT_TRUE(SameBytes(run.Out, expected));
         }},
    };

    for (const TargetCase& row : cases) {
        SCOPED_TRACE(row.Kind);
        if (row.NeedsRoot && !root) {
            std::printf("[ SKIPPED  ] row \"%s\": needs root to give a file to another user\n", row.Kind);
            continue;
        }
        const fs::path target = row.Make(Work());
        const CliRun run = Render("paris", target.string());
        EXPECT_EQ(run.ExitCode, row.ExpectedExit) << run.Err;
        if (row.ExpectedReason.empty()) {
            EXPECT_EQ(run.Err, "");
        } else {
            const std::string shown = target == "-" ? "standard output" : target.string();
            EXPECT_EQ(run.Err.rfind("kelvaro-cli: cannot write " + shown + ": ", 0), 0u) << run.Err;
            EXPECT_NE(run.Err.find(row.ExpectedReason), std::string::npos) << run.Err;
            EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        }
        row.Check(Work(), target, wav, run);
        // Never a temporary file left behind, whatever the outcome.
        for (const auto& entry : fs::recursive_directory_iterator(Work())) {
            EXPECT_NE(entry.path().filename().string().rfind(".", 0), 0u) << entry.path();
        }
    }
}

TEST_F(CliOutputTest, ANamedPipeIsWrittenInPlace) {
    const fs::path fifo = Work() / "pipe.wav";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = FileContents(fifo); });
    const CliRun run = Render("paris", fifo.string());
    reader.join();
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    const CliRun reference = Render("paris", (Work() / "reference.wav").string());
    EXPECT_TRUE(SameBytes(received, FileContents(Work() / "reference.wav")));
    struct stat status {};
    ASSERT_EQ(::lstat(fifo.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

TEST_F(CliOutputTest, CharactersWithoutACodeAreNamedAndNothingLeftIsAnError) {
    const CliRun partly = Render("é paris ü é", (Work() / "partly.wav").string());
    EXPECT_EQ(partly.ExitCode, 0);
    EXPECT_EQ(partly.Err, "kelvaro-cli: no Morse code for: é ü (left out)\n");
    const CliRun plain = Render(" paris  ", (Work() / "plain.wav").string());
    EXPECT_TRUE(SameBytes(FileContents(Work() / "partly.wav"), FileContents(Work() / "plain.wav")));

    const CliRun none = Render("é ü ß", (Work() / "none.wav").string());
    EXPECT_EQ(none.ExitCode, 2);
    EXPECT_EQ(none.Err,
              "kelvaro-cli: no Morse code for: é ü ß (left out)\n"
              "kelvaro-cli: No morse characters to play !\n");
    EXPECT_FALSE(fs::exists(Work() / "none.wav"));
}

}  // namespace
}  // namespace kelvaro::cli
