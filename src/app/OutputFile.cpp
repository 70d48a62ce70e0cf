// One file the program writes (settings, WAV files, saved texts): a regular file is replaced
// whole or not at all; a device, a pipe or standard output is written in place; anything the
// user could not write directly, or a link that leads somewhere not theirs, is refused.
#include "app/OutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>
#include <utility>

namespace kelvaro {

namespace {

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t kPermissionBits = 0777;
constexpr int kTemporaryLetters = 6;
constexpr int kNameAttempts = 100;

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string RandomLetters() {
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 generator(std::random_device{}());
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string letters;
    for (int i = 0; i < kTemporaryLetters; ++i) {
        letters += kAlphabet[pick(generator)];
    }
    return letters;
}

bool WriteAllAt(int fd, std::string_view bytes, std::optional<std::uint64_t> offset) {
    while (!bytes.empty()) {
        const ssize_t written = offset ? ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(*offset))
                                       : ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        if (offset) {
            *offset += static_cast<std::uint64_t>(written);
        }
    }
    return true;
}

/// Makes the rename itself durable; the file is complete by then, so a failure here is not a
/// failed write.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

/// What open(O_WRONLY) would say, except that root, too, is refused a file nobody may write:
/// the read-only mark is the owner's wish, not a permission problem to override.
int WriteRefusal(const std::string& path, const struct stat& status) {
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
        return errno;
    }
    return (status.st_mode & kWriteBits) == 0 ? EACCES : 0;
}

}  // namespace

OutputFile::~OutputFile() {
    Discard();
}

Status OutputFile::Refuse(int code, std::string_view reason) const {
    const std::string why = reason.empty() ? std::string(std::strerror(code)) : std::string(reason);
    return Status::Failure(code, "cannot write " + ShownPath + ": " + why);
}

Status OutputFile::Open(const std::string& path, const OutputFileRules& rules) {
    Discard();
    Rules = rules;
    ShownPath = path == kStandardOutput ? "standard output" : path;
    OldMode.reset();
    OldOwner.reset();
    OldGroup.reset();
    if (path.empty()) {
        return Refuse(ENOENT, "");
    }
    if (path == kStandardOutput) {
        if (Rules.RegularFileOnly) {
            return Refuse(EINVAL, "not a regular file");
        }
        const int flags = ::fcntl(STDOUT_FILENO, F_GETFL);
        if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY) {
            return Refuse(EBADF, "");
        }
        Fd = STDOUT_FILENO;
        OwnsFd = false;
        Kind = OutputTargetKind::Stream;
        return Status::Success();
    }

    struct stat seen {};
    if (::lstat(path.c_str(), &seen) != 0) {
        if (errno != ENOENT) {
            return Refuse(errno, "");
        }
        Kind = OutputTargetKind::NewFile;
        return OpenReplaced(path, std::nullopt);
    }
    std::string target = path;
    if (S_ISLNK(seen.st_mode)) {
        // Followed only the way a user links their own files: a link of theirs to a regular
        // file of theirs. Anything else may be a trap laid for whoever runs the program.
        if (seen.st_uid != ::geteuid()) {
            return Refuse(EPERM, "a symbolic link of another user");
        }
        struct stat linked {};
        if (::stat(path.c_str(), &linked) != 0) {
            return Refuse(errno, errno == ENOENT ? "a symbolic link to a missing file" : "");
        }
        if (!S_ISREG(linked.st_mode)) {
            return Refuse(EPERM, "a symbolic link to something that is not a regular file");
        }
        if (linked.st_uid != ::geteuid()) {
            return Refuse(EPERM, "a symbolic link to a file of another user");
        }
        std::array<char, PATH_MAX> resolved{};
        if (::realpath(path.c_str(), resolved.data()) == nullptr) {
            return Refuse(errno, "");
        }
        target = resolved.data();
        seen = linked;
    }
    if (S_ISDIR(seen.st_mode)) {
        return Refuse(EISDIR, "");
    }
    if (S_ISREG(seen.st_mode)) {
        const bool ownReadOnly = Rules.ReplacesOwnReadOnlyFile && seen.st_uid == ::geteuid();
        if (!ownReadOnly) {
            if (const int refusal = WriteRefusal(target, seen); refusal != 0) {
                return Refuse(refusal, "");
            }
        }
        Kind = OutputTargetKind::RegularFile;
        return OpenReplaced(target, seen);
    }
    if (S_ISBLK(seen.st_mode)) {
        return Refuse(EPERM, "a disk device is never written");
    }
    if (S_ISSOCK(seen.st_mode)) {
        return Refuse(ENXIO, "");
    }
    if (Rules.RegularFileOnly) {
        return Refuse(EINVAL, "not a regular file");
    }
    return OpenInPlace(path, seen);
}

Status OutputFile::OpenReplaced(const std::string& target, std::optional<struct stat> old) {
    TargetPath = target;
    if (old) {
        OldMode = old->st_mode & kPermissionBits;
        OldOwner = old->st_uid;
        OldGroup = old->st_gid;
    }
    const std::string folder = FolderOf(target);
    // Root could create a file in a folder its owner made read-only; that mark is a wish
    // too, and is kept like a read-only file's.
    struct stat folderStatus {};
    if (::stat(folder.c_str(), &folderStatus) == 0 && (folderStatus.st_mode & kWriteBits) == 0) {
        return Refuse(EACCES, "cannot create a file in " + folder + ": " + std::strerror(EACCES));
    }
    const std::string prefix = folder + "/." + NameOf(target) + "." + std::to_string(::getpid()) + ".";
    // Private until the end: the final permissions are set just before the rename.
    const mode_t creationMode = old || Rules.FinalMode ? 0600 : Rules.NewFileMode;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string candidate = prefix + RandomLetters();
        const int fd =
            ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, creationMode);
        if (fd >= 0) {
            Fd = fd;
            OwnsFd = true;
            TemporaryPath = candidate;
            return Status::Success();
        }
        if (errno != EEXIST) {
            const int code = errno;
            return Refuse(code, "cannot create a file in " + folder + ": " + std::strerror(code));
        }
    }
    return Refuse(EEXIST, "");
}

Status OutputFile::OpenInPlace(const std::string& path, const struct stat& seen) {
    if ((seen.st_mode & kWriteBits) == 0) {
        return Refuse(EACCES, "");
    }
    // No O_CREAT, no O_TRUNC: a device or a pipe is only written to. O_NOFOLLOW and the check
    // below catch a swap between the look and the open.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return Refuse(errno, "");
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || opened.st_dev != seen.st_dev || opened.st_ino != seen.st_ino) {
        ::close(fd);
        return Refuse(EAGAIN, "it changed while being opened");
    }
    Fd = fd;
    OwnsFd = true;
    Kind = OutputTargetKind::Stream;
    return Status::Success();
}

Status OutputFile::Write(std::string_view bytes) {
    if (Fd < 0) {
        return Refuse(EBADF, "");
    }
    if (!WriteAllAt(Fd, bytes, std::nullopt)) {
        return Refuse(errno, "");
    }
    return Status::Success();
}

Status OutputFile::WriteAt(std::uint64_t offset, std::string_view bytes) {
    if (Fd < 0 || !CanRewrite()) {
        return Refuse(EBADF, "");
    }
    if (!WriteAllAt(Fd, bytes, offset)) {
        return Refuse(errno, "");
    }
    return Status::Success();
}

Status OutputFile::Commit() {
    if (Fd < 0) {
        return Refuse(EBADF, "");
    }
    if (Kind != OutputTargetKind::Stream) {
        const Status status = FinishReplaced();
        if (!status.Ok()) {
            Discard();
        }
        return status;
    }
    const int fd = std::exchange(Fd, -1);
    if (OwnsFd && ::close(fd) != 0) {
        return Refuse(errno, "");
    }
    return Status::Success();
}

Status OutputFile::FinishReplaced() {
    // A file system without Unix permissions may refuse these; the contents still count.
    if (Rules.FinalMode) {
        ::fchmod(Fd, *Rules.FinalMode);
    } else if (OldMode) {
        // The owner and group stay where the system allows it (root replacing a user's file);
        // the set-id bits are never carried over.
        if (OldOwner && OldGroup && (*OldOwner != ::geteuid() || *OldGroup != ::getegid())) {
            [[maybe_unused]] const int kept = ::fchown(Fd, *OldOwner, *OldGroup);
        }
        ::fchmod(Fd, *OldMode);
    }
    if (::fsync(Fd) != 0) {
        return Refuse(errno, "");
    }
    const int fd = std::exchange(Fd, -1);
    if (::close(fd) != 0) {
        return Refuse(errno, "");
    }
    if (std::rename(TemporaryPath.c_str(), TargetPath.c_str()) != 0) {
        return Refuse(errno, "");
    }
    TemporaryPath.clear();
    SyncFolder(FolderOf(TargetPath));
    return Status::Success();
}

void OutputFile::Discard() {
    if (Fd >= 0 && OwnsFd) {
        ::close(Fd);
    }
    Fd = -1;
    if (!TemporaryPath.empty()) {
        ::unlink(TemporaryPath.c_str());
        TemporaryPath.clear();
    }
}

Status OutputFile::WriteWhole(const std::string& path, std::string_view bytes, const OutputFileRules& rules) {
    OutputFile file;
    if (Status status = file.Open(path, rules); !status.Ok()) {
        return status;
    }
    if (Status status = file.Write(bytes); !status.Ok()) {
        return status;
    }
    return file.Commit();
}

std::optional<long> OutputFile::TemporaryOwner(std::string_view entryName, std::string_view fileName) {
    const std::string prefix = "." + std::string(fileName) + ".";
    if (entryName.substr(0, prefix.size()) != prefix) {
        return std::nullopt;
    }
    std::string_view rest = entryName.substr(prefix.size());
    const auto dot = rest.find('.');
    if (dot == std::string_view::npos || dot == 0 || rest.size() - dot - 1 != kTemporaryLetters) {
        return std::nullopt;
    }
    long pid = 0;
    for (char digit : rest.substr(0, dot)) {
        if (digit < '0' || digit > '9' || pid > 10'000'000) {
            return std::nullopt;
        }
        pid = pid * 10 + (digit - '0');
    }
    for (char letter : rest.substr(dot + 1)) {
        if (std::isalnum(static_cast<unsigned char>(letter)) == 0) {
            return std::nullopt;
        }
    }
    return pid > 0 ? std::optional<long>(pid) : std::nullopt;
}

}  // namespace kelvaro
