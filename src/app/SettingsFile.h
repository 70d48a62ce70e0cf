// Where kelvaro.dat lives, and loading and saving it without ever leaving a half-written file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/SettingsModel.h"
#include "app/SettingsReader.h"
#include "core/Status.h"

namespace kelvaro {

/// What the folder of the settings file is chosen from.
struct SettingsFolderSources {
    /// $KELVARO_CONFIG_DIR; an empty value counts as unset.
    std::optional<std::string> ConfigDir;
    /// The folder of the running program; empty when unknown.
    std::filesystem::path ExecutableFolder;
    bool ExecutableFolderWritable = false;
    /// $XDG_CONFIG_HOME; only an absolute path counts.
    std::optional<std::string> XdgConfigHome;
    /// $HOME.
    std::optional<std::string> Home;
};

/// What loading found. When the file exists but cannot be read, ReadStatus says why and the
/// model keeps every value it had: start-up goes on with the defaults.
struct SettingsLoadResult {
    /// The file exists (the window keeps this as SettingsFileFound).
    bool FileFound = false;
    /// The file is there but is no settings file (too large, not text, unreadable): nothing of
    /// it was used, and it should be moved aside before a save takes its name.
    bool Unusable = false;
    Status ReadStatus;
    SettingsReadResult Read;
};

/// The settings file at one path. Save goes through OutputFile: the new file is complete on the
/// disk before it takes the old one's name. The file is left read-only (0444) between runs; a
/// read-only file of the user's own is still replaced, any other read-only file is refused.
/// A symbolic link is followed only when it and the file it leads to belong to the user (the
/// link is kept); a device, a pipe or a folder in the file's place is never written.
/// Window thread only.
class SettingsFile {
public:
    static constexpr std::string_view kFileName = "kelvaro.dat";
    /// A real settings file is a few kilobytes; anything beyond this is not one.
    static constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

    explicit SettingsFile(std::filesystem::path path);

    /// kelvaro.dat in the folder ChooseFolder picks from the environment and the program's
    /// own folder (/proc/self/exe). An empty path when there is no folder at all.
    static SettingsFile Locate();
    /// $KELVARO_CONFIG_DIR when set; else the program's folder when it is writable; else
    /// $XDG_CONFIG_HOME/kelvaro, or ~/.config/kelvaro. Nothing when none is known.
    static std::optional<std::filesystem::path> ChooseFolder(const SettingsFolderSources& sources);

    const std::filesystem::path& Path() const { return FilePath; }

    /// A missing file leaves the model as it is and is no failure.
    SettingsLoadResult Load(SettingsModel& model) const;
    /// Creates the folder when it is missing. On failure the old file is untouched and no
    /// temporary file is left behind.
    Status Save(const SettingsModel& model) const;
    /// Renames an unusable file to kelvaro.dat.bad (kelvaro.dat.bad.1, .2 ... when taken) and
    /// gives the new path; never replaces an existing file.
    std::optional<std::filesystem::path> MoveAside(Status& failure) const;
    /// Removes what interrupted saves left in the folder: this program's temporary files whose
    /// writer is gone, and, at least a minute old, the temporary files of earlier versions
    /// (".kelvaro.dat." and six letters, empty or starting like a settings file). Only the
    /// user's own files. Gives the count.
    int RemoveLeftovers() const;

private:
    std::filesystem::path FilePath;
};

}  // namespace kelvaro
