// Where kelvaro.dat lives, and loading and saving it without ever leaving a half-written file.
#include "app/SettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <utility>

#include "app/SettingsWriter.h"

namespace kelvaro {

namespace {

constexpr mode_t kReadOnlyMode = 0444;
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

/// Closes a descriptor when it goes out of scope, unless released first.
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
    /// Closes now and reports whether the close succeeded (a late write error shows here).
    bool Close() { return ::close(std::exchange(Fd, -1)) == 0; }

private:
    int Fd;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
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
    }
    return true;
}

/// Makes the rename itself durable; the file is already complete, so a failure here is not
/// a failed save.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

/// The file a save replaces: the path itself, or where it leads when it is a symbolic link
/// (settings kept with the user's other configuration files stay linked).
std::filesystem::path SaveTarget(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) {
        return path;
    }
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path : resolved;
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
            result.FileFound = true;
            result.ReadStatus = Failure(errno, FilePath, "cannot open");
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
            result.ReadStatus = Failure(EFBIG, FilePath, "too large for a settings file");
            return result;
        }
    }
    result.Read = ReadSettingsFile(bytes, model);
    return result;
}

Status SettingsFile::Save(const SettingsModel& model) const {
    if (FilePath.empty()) {
        return Status::Failure(ENOENT, "no folder for " + std::string(kFileName));
    }
    const std::string bytes = WriteSettingsFile(model);
    const std::filesystem::path target = SaveTarget(FilePath);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return Failure(error.value(), folder, "cannot create the folder");
    }

    std::string temporaryPath = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    Descriptor file(::mkostemp(temporaryPath.data(), O_CLOEXEC));
    if (file.Get() < 0) {
        return Failure(errno, FilePath, "cannot create");
    }
    // A file system without Unix permissions may refuse the read-only mode; the settings are
    // still worth keeping, so that refusal does not fail the save.
    ::fchmod(file.Get(), kReadOnlyMode);
    // Every step must succeed before the rename; the old file stays whole until then.
    const char* failedStep = nullptr;
    if (!WriteAll(file.Get(), bytes)) {
        failedStep = "cannot write";
    } else if (::fsync(file.Get()) != 0) {
        failedStep = "cannot flush";
    } else if (!file.Close()) {
        failedStep = "cannot close";
    } else if (std::rename(temporaryPath.c_str(), target.c_str()) != 0) {
        failedStep = "cannot replace";
    }
    if (failedStep != nullptr) {
        const int code = errno != 0 ? errno : EIO;
        ::unlink(temporaryPath.c_str());
        return Failure(code, FilePath, failedStep);
    }
    SyncFolder(folder);
    return Status::Success();
}

}  // namespace kelvaro
