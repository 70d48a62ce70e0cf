// The lock of a settings folder: a second owner is told who holds it, a killed owner leaves no
// lock, and a note from a failed save reaches the next start once.
#include "app/SettingsLock.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/ScratchFolder.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;

class SettingsLockTest : public test::ScratchFolderTest {
protected:
    SettingsLockTest() : ScratchFolderTest("kelvaro-lock") {}
};

TEST_F(SettingsLockTest, TheSecondOwnerIsToldWhoHoldsItUntilItIsReleased) {
    SettingsLock first(Folder);
    ASSERT_EQ(first.Acquire().Result, SettingsLock::Outcome::Held);
    SettingsLock second(Folder);
    const SettingsLock::AcquireResult refused = second.Acquire();
    EXPECT_EQ(refused.Result, SettingsLock::Outcome::HeldByOther);
    EXPECT_EQ(refused.OtherPid, ::getpid());
    first.Release();
    EXPECT_FALSE(fs::exists(first.Path()));
    EXPECT_EQ(second.Acquire().Result, SettingsLock::Outcome::Held);
}

TEST_F(SettingsLockTest, AKilledOwnersLockIsTakenOver) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        SettingsLock lock(Folder);
        const bool held = lock.Acquire().Result == SettingsLock::Outcome::Held;
        [[maybe_unused]] const auto written = ::write(ready[1], held ? "1" : "0", 1);
        ::pause();
        ::_exit(0);
    }
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, '1');
    SettingsLock mine(Folder);
    const SettingsLock::AcquireResult whileAlive = mine.Acquire();
    EXPECT_EQ(whileAlive.Result, SettingsLock::Outcome::HeldByOther);
    EXPECT_EQ(whileAlive.OtherPid, child);

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ASSERT_TRUE(fs::exists(mine.Path()));  // the killed run's file is still there
    EXPECT_EQ(mine.Acquire().Result, SettingsLock::Outcome::Held);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST_F(SettingsLockTest, ANoteReachesTheNextStartOnce) {
    {
        SettingsLock lock(Folder);
        ASSERT_EQ(lock.Acquire().Result, SettingsLock::Outcome::Held);
        ASSERT_TRUE(lock.LeaveNote("cannot write kelvaro.dat: No space\nleft"));
    }
    SettingsLock next(Folder);
    const SettingsLock::AcquireResult result = next.Acquire();
    EXPECT_EQ(result.Result, SettingsLock::Outcome::Held);
    EXPECT_EQ(result.NoteFromLastRun, "cannot write kelvaro.dat: No space left");
    next.Release();
    SettingsLock after(Folder);
    EXPECT_EQ(after.Acquire().NoteFromLastRun, "");
}

TEST_F(SettingsLockTest, AFolderThatCannotHoldALockTellsNothing) {
    SettingsLock missing(Folder / "missing");
    EXPECT_EQ(missing.Acquire().Result, SettingsLock::Outcome::Unavailable);
    fs::create_symlink(Folder / "elsewhere", Folder / std::string(SettingsLock::kFileName));
    SettingsLock linked(Folder);
    EXPECT_EQ(linked.Acquire().Result, SettingsLock::Outcome::Unavailable);
    EXPECT_FALSE(fs::exists(Folder / "elsewhere"));
}

}  // namespace
}  // namespace kelvaro
