// The rules every written file follows that the command-line tests cannot show: the settings
// file's own read-only mark, permissions kept or set, nothing left by an abandoned write, and
// which leftovers of earlier writes are removed.
#include "app/OutputFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/ScratchFolder.h"

#include "app/TemporaryFileSweep.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;

using test::FileContents;
using test::PutFile;

mode_t ModeOf(const fs::path& path) {
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return status.st_mode & 07777;
}

Status WriteWhole(const fs::path& path, const std::string& bytes, const OutputFileRules& rules = {}) {
    return OutputFile::WriteWhole(path.string(), bytes, rules);
}

class OutputFileTest : public test::ScratchFolderTest {
protected:
    OutputFileTest() : ScratchFolderTest("kelvaro-output") {}
    int Entries() const {
        return static_cast<int>(std::distance(fs::directory_iterator(Folder), fs::directory_iterator()));
    }
};

OutputFileRules SettingsRules() {
    OutputFileRules rules;
    rules.FinalMode = 0444;
    rules.ReplacesOwnReadOnlyFile = true;
    rules.RegularFileOnly = true;
    return rules;
}

TEST_F(OutputFileTest, AnOwnReadOnlyFileIsReplacedOnlyWhenTheRulesSaySo) {
    PutFile(Folder / "kelvaro.dat", "old");
    fs::permissions(Folder / "kelvaro.dat", static_cast<fs::perms>(0444));
    const Status refused = WriteWhole(Folder / "kelvaro.dat", "new");
    EXPECT_EQ(refused.Code, EACCES);
    EXPECT_EQ(refused.Context, "cannot write " + (Folder / "kelvaro.dat").string() + ": Permission denied");
    EXPECT_EQ(FileContents(Folder / "kelvaro.dat"), "old");

    ASSERT_TRUE(WriteWhole(Folder / "kelvaro.dat", "new", SettingsRules()).Ok());
    EXPECT_EQ(FileContents(Folder / "kelvaro.dat"), "new");
    EXPECT_EQ(ModeOf(Folder / "kelvaro.dat"), 0444u);
    EXPECT_EQ(Entries(), 1);
}

TEST_F(OutputFileTest, ASettingsFileIsNeverWrittenIntoADeviceOrAPipe) {
    ASSERT_EQ(::mkfifo((Folder / "kelvaro.dat").c_str(), 0600), 0);
    const Status fifo = WriteWhole(Folder / "kelvaro.dat", "new", SettingsRules());
    EXPECT_EQ(fifo.Code, EINVAL);  // and it did not wait for a reader
    EXPECT_EQ(WriteWhole("/dev/null", "new", SettingsRules()).Code, EINVAL);
    EXPECT_EQ(WriteWhole(std::string(OutputFile::kStandardOutput), "new", SettingsRules()).Code, EINVAL);
    EXPECT_EQ(Entries(), 1);
}

TEST_F(OutputFileTest, PermissionsOfTheOldFileStayAndANewFileFollowsTheUmask) {
    PutFile(Folder / "old.txt", "old");
    fs::permissions(Folder / "old.txt", static_cast<fs::perms>(04750));
    ASSERT_TRUE(WriteWhole(Folder / "old.txt", "new").Ok());
    EXPECT_EQ(ModeOf(Folder / "old.txt"), 0750u);  // never the set-id bit

    const mode_t saved = ::umask(027);
    const Status created = WriteWhole(Folder / "new.txt", "new");
    ::umask(saved);
    ASSERT_TRUE(created.Ok());
    EXPECT_EQ(ModeOf(Folder / "new.txt"), 0640u);
}

TEST_F(OutputFileTest, AnAbandonedWriteLeavesTheOldFileAndNoTemporaryFile) {
    PutFile(Folder / "keep.txt", "old");
    {
        OutputFile file;
        ASSERT_TRUE(file.Open((Folder / "keep.txt").string()).Ok());
        ASSERT_TRUE(file.Write("half").Ok());
        EXPECT_EQ(Entries(), 2);
    }
    EXPECT_EQ(FileContents(Folder / "keep.txt"), "old");
    EXPECT_EQ(Entries(), 1);
}

TEST_F(OutputFileTest, AHeaderCanBeRewrittenOnlyInAFileThatIsReplaced) {
    OutputFile file;
    ASSERT_TRUE(file.Open((Folder / "a.wav").string()).Ok());
    EXPECT_TRUE(file.CanRewrite());
    ASSERT_TRUE(file.Write("....data").Ok());
    ASSERT_TRUE(file.WriteAt(0, "HEAD").Ok());
    ASSERT_TRUE(file.Commit().Ok());
    EXPECT_EQ(FileContents(Folder / "a.wav"), "HEADdata");

    ASSERT_TRUE(file.Open("/dev/null").Ok());
    EXPECT_EQ(file.TargetKind(), OutputTargetKind::Stream);
    EXPECT_FALSE(file.CanRewrite());
    EXPECT_FALSE(file.WriteAt(0, "HEAD").Ok());
}

TEST(TemporaryNames, OnlyOurOwnPatternGivesAnOwner) {
    EXPECT_EQ(OutputFile::TemporaryOwner(".kelvaro.dat.4242.aB3xYz", "kelvaro.dat"), 4242);
    EXPECT_EQ(OutputFile::TemporaryOwner(".kelvaro.dat.4242.aB3xY", "kelvaro.dat"), std::nullopt);
    EXPECT_EQ(OutputFile::TemporaryOwner(".kelvaro.dat.42x2.aB3xYz", "kelvaro.dat"), std::nullopt);
    EXPECT_EQ(OutputFile::TemporaryOwner(".kelvaro.dat.4242.aB-xYz", "kelvaro.dat"), std::nullopt);
    EXPECT_EQ(OutputFile::TemporaryOwner(".other.dat.4242.aB3xYz", "kelvaro.dat"), std::nullopt);
    EXPECT_EQ(OutputFile::TemporaryOwner("kelvaro.dat", "kelvaro.dat"), std::nullopt);
}

TEST_F(OutputFileTest, LeftoversOfEndedWritersGoAndARunningWritersFileStays) {
    // A process that has ended: a child that exited at once.
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);
    const std::string ended = ".kelvaro.dat." + std::to_string(child) + ".Ab12Cd";
    PutFile(Folder / ended, "SPEED=");
    // A running writer: this test's parent, with a file written after it started.
    const std::string running = ".kelvaro.dat." + std::to_string(::getppid()) + ".Ab12Cd";
    PutFile(Folder / running, "SPEED=");
    // A number that a newer process took over: the file is older than that process.
    const std::string reused = ".kelvaro.dat." + std::to_string(::getppid()) + ".Zz99Yy";
    PutFile(Folder / reused, "SPEED=");
    const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 30);
    fs::last_write_time(Folder / reused, longAgo);
    // Not ours: another name, and a folder of the same pattern.
    PutFile(Folder / ".kelvaro.dat.backup", "SPEED=");
    fs::create_directory(Folder / (".kelvaro.dat." + std::to_string(child) + ".Qq11Ww"));

    EXPECT_EQ(RemoveStaleTemporaries(Folder, "kelvaro.dat"), 2);
    EXPECT_FALSE(fs::exists(Folder / ended));
    EXPECT_FALSE(fs::exists(Folder / reused));
    EXPECT_TRUE(fs::exists(Folder / running));
    EXPECT_TRUE(fs::exists(Folder / ".kelvaro.dat.backup"));
    EXPECT_EQ(Entries(), 3);
}

}  // namespace
}  // namespace kelvaro
