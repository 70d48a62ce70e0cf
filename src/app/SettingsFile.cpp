// Where kelvaro.dat lives, and loading and saving it without ever leaving a half-written file.
#include "app/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <system_error>
#include <utility>

#include "app/OutputFile.h"
#include "app/SettingsWriter.h"
#include "app/TemporaryFileSweep.h"

namespace kelvaro {

namespace {

constexpr mode_t kReadOnlyMode = 0444;
constexpr int kMaxAsideNumber = 1000;
/// A save of the earlier versions took milliseconds; one older than this was interrupted.
constexpr std::time_t kEarlierTemporaryAgeSeconds = 60;
constexpr std::string_view kAppFolder = "kelvaro";

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

Status Failure(int code, const std::filesystem::path& path, std::string_view what) {
    return Status::Failure(code, path.string() + ": " + std::string(what) + ": " + std::strerror(code));
}

/// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : Fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (Fd >= 0) {
            ::close(Fd);
        }
    }
    int Get() const { return Fd; }

private:
    int Fd;
};

/// A temporary name of the versions before OutputFile: "." + name + "." + six letters or
/// digits with at least one capital or digit (a person's ".kelvaro.dat.backup" is not one).
bool IsEarlierTemporaryName(std::string_view entry, std::string_view fileName) {
    const std::string prefix = "." + std::string(fileName) + ".";
    if (entry.substr(0, prefix.size()) != prefix || entry.size() != prefix.size() + 6) {
        return false;
    }
    bool mixed = false;
    for (char c : entry.substr(prefix.size())) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) == 0) {
            return false;
        }
        mixed = mixed || std::isupper(byte) != 0 || std::isdigit(byte) != 0;
    }
    return mixed;
}

bool StartsLikeSettings(const std::filesystem::path& path) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    std::array<char, 6> head{};
    const ssize_t count = file.Get() >= 0 ? ::read(file.Get(), head.data(), head.size()) : -1;
    return count == 0 || (count == 6 && std::string_view(head.data(), head.size()) == "SPEED=");
}

}  // namespace

SettingsFile::SettingsFile(std::filesystem::path path) : FilePath(std::move(path)) {}

SettingsFile SettingsFile::Locate() {
    SettingsFolderSources sources;
    sources.ConfigDir = Environment("KELVARO_CONFIG_DIR");
    sources.XdgConfigHome = Environment("XDG_CONFIG_HOME");
    sources.Home = Environment("HOME");
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        sources.ExecutableFolder = executable.parent_path();
        sources.ExecutableFolderWritable = ::access(sources.ExecutableFolder.c_str(), W_OK) == 0;
    }
    const std::optional<std::filesystem::path> folder = ChooseFolder(sources);
    return SettingsFile(folder ? *folder / kFileName : std::filesystem::path());
}

std::optional<std::filesystem::path> SettingsFile::ChooseFolder(const SettingsFolderSources& sources) {
    if (sources.ConfigDir && !sources.ConfigDir->empty()) {
        return std::filesystem::path(*sources.ConfigDir);
    }
    if (!sources.ExecutableFolder.empty() && sources.ExecutableFolderWritable) {
        return sources.ExecutableFolder;
    }
    if (sources.XdgConfigHome && std::filesystem::path(*sources.XdgConfigHome).is_absolute()) {
        return std::filesystem::path(*sources.XdgConfigHome) / kAppFolder;
    }
    if (sources.Home && !sources.Home->empty()) {
        return std::filesystem::path(*sources.Home) / ".config" / kAppFolder;
    }
    return std::nullopt;
}

SettingsLoadResult SettingsFile::Load(SettingsModel& model) const {
    SettingsLoadResult result;
    if (FilePath.empty()) {
        return result;
    }
    // Non-blocking, so that a named pipe in the file's place cannot hang the start-up.
    Descriptor file(::open(FilePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            const int code = errno;
            result.FileFound = true;
            result.ReadStatus = Failure(code, FilePath, "cannot open");
            // A file of the user's that they cannot read would be lost to the next save.
            struct stat seen {};
            result.Unusable =
                code == EACCES && ::lstat(FilePath.c_str(), &seen) == 0 && S_ISREG(seen.st_mode);
        }
        return result;
    }
    result.FileFound = true;
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0) {
        result.ReadStatus = Failure(errno, FilePath, "cannot read");
        return result;
    }
    if (!S_ISREG(status.st_mode)) {
        result.ReadStatus = Failure(S_ISDIR(status.st_mode) ? EISDIR : EINVAL, FilePath, "not a file");
        return result;
    }
    if (static_cast<std::uint64_t>(status.st_size) > kMaxFileBytes) {
        result.Unusable = true;
        result.ReadStatus = Failure(EFBIG, FilePath, "too large for a settings file");
        return result;
    }
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const ssize_t count = ::read(file.Get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            result.ReadStatus = Failure(errno, FilePath, "cannot read");
            return result;
        }
        if (count == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
        if (bytes.size() > kMaxFileBytes) {
            result.Unusable = true;
            result.ReadStatus = Failure(EFBIG, FilePath, "too large for a settings file");
            return result;
        }
    }
    // The settings are lines of 8-bit text; a zero byte means some other kind of file.
    if (bytes.find('\0') != std::string::npos) {
        result.Unusable = true;
        result.ReadStatus = Failure(EINVAL, FilePath, "not a text file");
        return result;
    }
    result.Read = ReadSettingsFile(bytes, model);
    return result;
}

Status SettingsFile::Save(const SettingsModel& model) const {
    if (FilePath.empty()) {
        return Status::Failure(ENOENT, "no folder for " + std::string(kFileName));
    }
    const std::string bytes = WriteSettingsFile(model);
    const std::filesystem::path folder = FilePath.has_parent_path() ? FilePath.parent_path() : ".";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return Failure(error.value(), folder, "cannot create the folder");
    }
    OutputFileRules rules;
    rules.FinalMode = kReadOnlyMode;
    rules.ReplacesOwnReadOnlyFile = true;
    rules.RegularFileOnly = true;
    return OutputFile::WriteWhole(FilePath.string(), bytes, rules);
}

std::optional<std::filesystem::path> SettingsFile::MoveAside(Status& failure) const {
    const std::string base = FilePath.string() + ".bad";
    for (int number = 0; number < kMaxAsideNumber; ++number) {
        const std::string candidate = number == 0 ? base : base + "." + std::to_string(number);
        if (::renameat2(AT_FDCWD, FilePath.c_str(), AT_FDCWD, candidate.c_str(), RENAME_NOREPLACE) == 0) {
            return std::filesystem::path(candidate);
        }
        if (errno == EEXIST) {
            continue;
        }
        // A file system that cannot refuse to replace: look first, then rename.
        if (errno == EINVAL) {
            struct stat seen {};
            if (::lstat(candidate.c_str(), &seen) == 0) {
                continue;
            }
            if (std::rename(FilePath.c_str(), candidate.c_str()) == 0) {
                return std::filesystem::path(candidate);
            }
        }
        failure = Failure(errno, FilePath, "cannot move aside");
        return std::nullopt;
    }
    failure = Failure(EEXIST, FilePath, "cannot move aside");
    return std::nullopt;
}

int SettingsFile::RemoveLeftovers() const {
    if (FilePath.empty()) {
        return 0;
    }
    const std::filesystem::path folder = FilePath.has_parent_path() ? FilePath.parent_path() : ".";
    const std::string name = FilePath.filename().string();
    int removed = RemoveStaleTemporaries(folder, name);
    const std::time_t now = std::time(nullptr);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        struct stat seen {};
        if (!IsEarlierTemporaryName(entry.path().filename().string(), name) ||
            ::lstat(entry.path().c_str(), &seen) != 0 || !S_ISREG(seen.st_mode) ||
            seen.st_uid != ::geteuid() || seen.st_mtime + kEarlierTemporaryAgeSeconds > now ||
            !StartsLikeSettings(entry.path())) {
            continue;
        }
        if (::unlink(entry.path().c_str()) == 0) {
            ++removed;
        }
    }
    return removed;
}

}  // namespace kelvaro
