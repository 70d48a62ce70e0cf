// Tells a second window on the same settings folder that another one is running, and carries a
// one-line note from a run that could not save its settings to the next start.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kelvaro {

/// A lock file beside kelvaro.dat holding the owner's process id. The lock itself is the
/// system's (flock), so a run that was killed leaves no lock behind: a stale file is simply
/// taken over. Window thread only.
class SettingsLock {
public:
    static constexpr std::string_view kFileName = "kelvaro.dat.lock";

    enum class Outcome {
        /// This run owns the folder's settings.
        Held,
        /// Another run holds it (OtherPid when it could be read).
        HeldByOther,
        /// No lock could be made (a read-only or missing folder): nothing to tell.
        Unavailable,
    };

    struct AcquireResult {
        Outcome Result = Outcome::Unavailable;
        std::optional<long> OtherPid;
        /// What the previous owner left for this start, empty when nothing.
        std::string NoteFromLastRun;
    };

    explicit SettingsLock(std::filesystem::path folder);
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;
    ~SettingsLock();

    AcquireResult Acquire();
    /// Leaves one line for the next start; the lock file is then kept at release. Written in
    /// place into the file made at start-up, so it needs no new room on the disk.
    bool LeaveNote(std::string_view line);
    /// Gives the lock up; the file goes unless a note is in it.
    void Release();
    bool IsHeld() const { return Fd >= 0; }
    const std::filesystem::path& Path() const { return FilePath; }

private:
    std::filesystem::path FilePath;
    int Fd = -1;
    bool Writable = false;
    bool NoteLeft = false;
};

}  // namespace kelvaro
