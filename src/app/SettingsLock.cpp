// Tells a second window on the same settings folder that another one is running, and carries a
// one-line note from a run that could not save its settings to the next start.
#include "app/SettingsLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <utility>

namespace kelvaro {

namespace {

constexpr std::size_t kMaxLockBytes = 4096;
constexpr int kAttempts = 3;
constexpr std::string_view kNotePrefix = "note ";

std::string ReadSmall(int fd) {
    std::array<char, kMaxLockBytes> buffer{};
    const ssize_t count = ::pread(fd, buffer.data(), buffer.size(), 0);
    return count > 0 ? std::string(buffer.data(), static_cast<std::size_t>(count)) : std::string();
}

std::optional<long> FirstLinePid(std::string_view text) {
    const std::string_view line = text.substr(0, text.find('\n'));
    long pid = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), pid);
    if (error != std::errc() || end != line.data() + line.size() || pid <= 0) {
        return std::nullopt;
    }
    return pid;
}

std::string NoteIn(std::string_view text) {
    const auto start = text.find(std::string("\n") + std::string(kNotePrefix));
    if (start == std::string_view::npos) {
        return {};
    }
    std::string_view note = text.substr(start + 1 + kNotePrefix.size());
    return std::string(note.substr(0, note.find('\n')));
}

bool SameFile(int fd, const std::filesystem::path& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

bool WriteWhole(int fd, const std::string& text) {
    return ::pwrite(fd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size()) &&
           ::ftruncate(fd, static_cast<off_t>(text.size())) == 0;
}

}  // namespace

SettingsLock::SettingsLock(std::filesystem::path folder) : FilePath(std::move(folder) / kFileName) {}

SettingsLock::~SettingsLock() {
    Release();
}

SettingsLock::AcquireResult SettingsLock::Acquire() {
    AcquireResult result;
    for (int attempt = 0; attempt < kAttempts && Fd < 0; ++attempt) {
        bool writable = true;
        int fd = ::open(FilePath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0644);
        if (fd < 0 && errno == EACCES) {
            // Someone else's lock file: reading it is enough to lock it and to name its owner.
            writable = false;
            fd = ::open(FilePath.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        }
        if (fd < 0) {
            return result;
        }
        struct stat status {};
        if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
            ::close(fd);
            return result;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool busy = errno == EWOULDBLOCK;
            if (busy) {
                result.Result = Outcome::HeldByOther;
                result.OtherPid = FirstLinePid(ReadSmall(fd));
            }
            ::close(fd);
            return result;
        }
        // The previous owner may have removed the file between our open and our lock.
        if (!SameFile(fd, FilePath)) {
            ::close(fd);
            continue;
        }
        result.NoteFromLastRun = NoteIn(ReadSmall(fd));
        if (writable) {
            WriteWhole(fd, std::to_string(::getpid()) + "\n");
        }
        Fd = fd;
        Writable = writable;
        NoteLeft = false;
        result.Result = Outcome::Held;
    }
    return result;
}

bool SettingsLock::LeaveNote(std::string_view line) {
    if (Fd < 0 || !Writable) {
        return false;
    }
    std::string text = std::to_string(::getpid()) + "\n" + std::string(kNotePrefix);
    for (char c : line) {
        text += (c == '\n' || c == '\r') ? ' ' : c;
    }
    text += "\n";
    if (!WriteWhole(Fd, text) || ::fdatasync(Fd) != 0) {
        return false;
    }
    NoteLeft = true;
    return true;
}

void SettingsLock::Release() {
    if (Fd < 0) {
        return;
    }
    if (!NoteLeft && Writable) {
        ::unlink(FilePath.c_str());
    }
    ::close(std::exchange(Fd, -1));
}

}  // namespace kelvaro
