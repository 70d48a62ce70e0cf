// Tests of finding, loading and saving kelvaro.dat on disk, failures included.
#include "app/SettingsFile.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/ScratchFolder.h"

#include "app/SettingsWriter.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;

using test::FileContents;
using test::PutFile;

class SettingsFileTest : public test::ScratchFolderTest {
protected:
    SettingsFileTest() : ScratchFolderTest("kelvaro-settings") {}

    /// Every entry of the folder but the settings file itself.
    int OtherEntries() const {
        int count = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(Folder)) {
            count += entry.path().filename() != "kelvaro.dat" ? 1 : 0;
        }
        return count;
    }

    fs::path FilePath() const { return Folder / "kelvaro.dat"; }
};

TEST(SettingsFolder, TheOverrideThenAWritableProgramFolderThenTheUserConfigFolder) {
    SettingsFolderSources sources;
    sources.ConfigDir = "/srv/kelvaro";
    sources.ExecutableFolder = "/opt/kelvaro";
    sources.ExecutableFolderWritable = true;
    sources.XdgConfigHome = "/home/op/.cfg";
    sources.Home = "/home/op";
    EXPECT_EQ(SettingsFile::ChooseFolder(sources), fs::path("/srv/kelvaro"));
    sources.ConfigDir = "";
    EXPECT_EQ(SettingsFile::ChooseFolder(sources), fs::path("/opt/kelvaro"));
    sources.ExecutableFolderWritable = false;
    EXPECT_EQ(SettingsFile::ChooseFolder(sources), fs::path("/home/op/.cfg/kelvaro"));
    // A relative XDG_CONFIG_HOME is not a valid one.
    sources.XdgConfigHome = "cfg";
    EXPECT_EQ(SettingsFile::ChooseFolder(sources), fs::path("/home/op/.config/kelvaro"));
    sources.Home.reset();
    EXPECT_EQ(SettingsFile::ChooseFolder(sources), std::nullopt);
}

TEST_F(SettingsFileTest, LocateHonoursTheConfigDirVariable) {
    const char* previous = std::getenv("KELVARO_CONFIG_DIR");
    const std::string saved = previous != nullptr ? previous : "";
    ::setenv("KELVARO_CONFIG_DIR", Folder.c_str(), 1);
    const fs::path located = SettingsFile::Locate().Path();
    if (previous != nullptr) {
        ::setenv("KELVARO_CONFIG_DIR", saved.c_str(), 1);
    } else {
        ::unsetenv("KELVARO_CONFIG_DIR");
    }
    EXPECT_EQ(located, FilePath());
}

TEST_F(SettingsFileTest, AMissingFileLeavesTheDefaultsWithoutAnError) {
    SettingsModel model;
    const SettingsLoadResult result = SettingsFile(FilePath()).Load(model);
    EXPECT_FALSE(result.FileFound);
    EXPECT_TRUE(result.ReadStatus.Ok());
    EXPECT_FALSE(result.Read.MarkerFound);
    EXPECT_EQ(model, SettingsModel{});
}

TEST_F(SettingsFileTest, AFileThatCannotBeReadLeavesTheDefaultsAndSaysSo) {
    fs::create_directory(FilePath());
    SettingsModel model;
    const SettingsLoadResult result = SettingsFile(FilePath()).Load(model);
    EXPECT_TRUE(result.FileFound);
    EXPECT_FALSE(result.ReadStatus.Ok());
    EXPECT_NE(result.ReadStatus.Context.find("kelvaro.dat"), std::string::npos);
    EXPECT_EQ(model, SettingsModel{});
}

TEST_F(SettingsFileTest, SaveThenLoadGivesTheModelBackAndLeavesTheFileReadOnly) {
    SettingsModel model;
    model.SpeedWpm = 30;
    model.LocalRows = {" \xE9  ..-..  e acute"};
    ASSERT_TRUE(SettingsFile(FilePath()).Save(model).Ok());
    EXPECT_EQ(FileContents(FilePath()), WriteSettingsFile(model));
    EXPECT_EQ(fs::status(FilePath()).permissions(),
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(OtherEntries(), 0);

    SettingsModel loaded;
    const SettingsLoadResult result = SettingsFile(FilePath()).Load(loaded);
    EXPECT_TRUE(result.FileFound);
    EXPECT_TRUE(result.ReadStatus.Ok());
    EXPECT_TRUE(result.Read.MarkerFound);
    EXPECT_EQ(loaded, model);
}

TEST_F(SettingsFileTest, AReadOnlyFileFromThePreviousRunIsReplaced) {
    PutFile(FilePath(), "SPEED=20\r\n\x02\xFF\xFF\r\n");
    fs::permissions(FilePath(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    SettingsModel model;
    model.SpeedWpm = 40;
    ASSERT_TRUE(SettingsFile(FilePath()).Save(model).Ok());
    EXPECT_EQ(FileContents(FilePath()), WriteSettingsFile(model));
    // And once more, over the file this save left read-only.
    model.SpeedWpm = 41;
    ASSERT_TRUE(SettingsFile(FilePath()).Save(model).Ok());
    EXPECT_EQ(FileContents(FilePath()), WriteSettingsFile(model));
}

TEST_F(SettingsFileTest, ALinkedFileIsReplacedAndTheLinkKept) {
    const fs::path dotfiles = Folder / "dotfiles";
    fs::create_directory(dotfiles);
    PutFile(dotfiles / "kelvaro.dat", "old");
    fs::create_symlink(dotfiles / "kelvaro.dat", FilePath());
    ASSERT_TRUE(SettingsFile(FilePath()).Save(SettingsModel{}).Ok());
    EXPECT_TRUE(fs::is_symlink(FilePath()));
    EXPECT_EQ(FileContents(dotfiles / "kelvaro.dat"), WriteSettingsFile(SettingsModel{}));
}

TEST_F(SettingsFileTest, SaveCreatesAMissingFolder) {
    const fs::path nested = Folder / "config" / "kelvaro" / "kelvaro.dat";
    ASSERT_TRUE(SettingsFile(nested).Save(SettingsModel{}).Ok());
    EXPECT_EQ(FileContents(nested), WriteSettingsFile(SettingsModel{}));
}

TEST_F(SettingsFileTest, AFailedRenameLeavesWhatWasThereAndNoTemporaryFile) {
    // A folder in the file's place cannot be replaced by a file.
    fs::create_directory(FilePath());
    PutFile(FilePath() / "keep", "x");
    const Status status = SettingsFile(FilePath()).Save(SettingsModel{});
    EXPECT_FALSE(status.Ok());
    EXPECT_NE(status.Code, 0);
    EXPECT_EQ(FileContents(FilePath() / "keep"), "x");
    EXPECT_EQ(OtherEntries(), 0);
}

TEST_F(SettingsFileTest, AFailedWriteLeavesTheOldFileIntact) {
    const std::string old = "SPEED=20\r\n\x02\xFF\xFF\r\n";
    PutFile(FilePath(), old);
    // A file-size limit far below the settings file makes the write fail part way, as a full
    // disk would; the limit applies to every user, root included.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const sighandler_t previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Status status = SettingsFile(FilePath()).Save(SettingsModel{});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(status.Ok());
    EXPECT_EQ(status.Code, EFBIG);
    EXPECT_EQ(FileContents(FilePath()), old);
    EXPECT_EQ(OtherEntries(), 0);
}

TEST_F(SettingsFileTest, AFileTooLargeOrNotTextIsUnusableAndMovedAsideUnderAFreeName) {
    SettingsModel model;
    model.SpeedWpm = 33;
    const SettingsModel before = model;
    // 20 MB of setting lines: text, but no settings file is that large.
    std::string large;
    while (large.size() < 20 * 1024 * 1024) {
        large += "SPEED=20\r\n";
    }
    PutFile(FilePath(), large);
    SettingsLoadResult result = SettingsFile(FilePath()).Load(model);
    EXPECT_TRUE(result.Unusable);
    EXPECT_EQ(result.ReadStatus.Code, EFBIG);
    EXPECT_EQ(model, before);

    PutFile(Folder / "kelvaro.dat.bad", "an earlier one");
    Status failure;
    EXPECT_EQ(SettingsFile(FilePath()).MoveAside(failure), Folder / "kelvaro.dat.bad.1");
    EXPECT_EQ(fs::file_size(Folder / "kelvaro.dat.bad.1"), large.size());
    EXPECT_EQ(FileContents(Folder / "kelvaro.dat.bad"), "an earlier one");
    EXPECT_FALSE(fs::exists(FilePath()));

    PutFile(FilePath(), std::string("SPEED=20\r\n\0\x02\xFF\xFF\r\n", 14));
    result = SettingsFile(FilePath()).Load(model);
    EXPECT_TRUE(result.Unusable);
    EXPECT_EQ(model, before);
    // Whatever the reader tolerates is still text: no marker is not "unusable".
    PutFile(FilePath(), "SPEED=20\r\n\x01\xE9\r\n");
    EXPECT_FALSE(SettingsFile(FilePath()).Load(model).Unusable);
}

TEST_F(SettingsFileTest, LeftoversOfInterruptedSavesGoButNotTheUsersOwnFiles) {
    const auto hourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    // The earlier versions' temporary files, killed empty or part way.
    for (const char* name : {".kelvaro.dat.Xy12ab", ".kelvaro.dat.q9WERT"}) {
        PutFile(Folder / name, name[13] == 'X' ? "" : "SPEED=12\r\nSPA");
        fs::last_write_time(Folder / name, hourAgo);
    }
    // One being written right now, and files of the user's that merely look alike.
    PutFile(Folder / ".kelvaro.dat.Zz99zz", "SPEED=1");
    PutFile(Folder / ".kelvaro.dat.backup", "SPEED=12\r\n");
    PutFile(Folder / ".kelvaro.dat.Notes1", "my notes");
    for (const char* name : {".kelvaro.dat.backup", ".kelvaro.dat.Notes1"}) {
        fs::last_write_time(Folder / name, hourAgo);
    }
    EXPECT_EQ(SettingsFile(FilePath()).RemoveLeftovers(), 2);
    EXPECT_EQ(OtherEntries(), 3);
}

TEST_F(SettingsFileTest, ALinkToAFileOfAnotherUserIsNeverWritten) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to give a file to another user";
    }
    PutFile(Folder / "passwd", "root:x:0:0");
    ASSERT_EQ(::chown((Folder / "passwd").c_str(), 12345, 12345), 0);
    fs::create_symlink(Folder / "passwd", FilePath());
    const Status status = SettingsFile(FilePath()).Save(SettingsModel{});
    EXPECT_EQ(status.Code, EPERM);
    EXPECT_NE(status.Context.find("a symbolic link to a file of another user"), std::string::npos);
    EXPECT_EQ(FileContents(Folder / "passwd"), "root:x:0:0");
    EXPECT_EQ(fs::status(Folder / "passwd").permissions() & fs::perms::owner_write, fs::perms::owner_write);
}

}  // namespace
}  // namespace kelvaro
