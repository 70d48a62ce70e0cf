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
    Status ReadStatus;
    SettingsReadResult Read;
};

/// The settings file at one path. Save writes the new file beside the old one under a
/// temporary name, flushes it to the disk and renames it over the old one, so the old file
/// stays whole until the new one is complete; the file is left read-only (0444) between runs,
/// and since renaming replaces a read-only file in a writable folder, that never stops the
/// next save. When the path is a symbolic link, the file it leads to is replaced and the link
/// kept. Window thread only.
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

private:
    std::filesystem::path FilePath;
};

}  // namespace kelvaro
