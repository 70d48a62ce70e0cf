// One file the program writes (settings, WAV files, saved texts): a regular file is replaced
// whole or not at all; a device, a pipe or standard output is written in place; anything the
// user could not write directly, or a link that leads somewhere not theirs, is refused.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/Status.h"

namespace kelvaro {

/// How the target is written, decided when it is opened.
enum class OutputTargetKind {
    /// Nothing by that name yet: written beside it under a temporary name, then renamed.
    NewFile,
    /// An existing regular file (perhaps reached through the user's own link): the same, and
    /// the new file keeps the old one's permissions.
    RegularFile,
    /// A character device, a named pipe or standard output: written in place, front to back,
    /// never replaced.
    Stream,
};

/// What a particular kind of file allows beyond the common rules.
struct OutputFileRules {
    /// Permissions asked for a new file; the umask applies.
    mode_t NewFileMode = 0666;
    /// Permissions the written file always ends with; nothing: a new file's or the old file's.
    std::optional<mode_t> FinalMode;
    /// A read-only file of the user's own may still be replaced (the settings file is kept
    /// read-only between runs on purpose).
    bool ReplacesOwnReadOnlyFile = false;
    /// Devices, pipes and standard output are refused.
    bool RegularFileOnly = false;
};

/// Open, Write (WriteAt), then Commit. Destroyed without Commit, a temporary file is removed and
/// the target keeps what it had. Every failure names the path and the reason:
/// "cannot write PATH: REASON", with the system's error number as the code.
class OutputFile {
public:
    /// The path that means standard output.
    static constexpr std::string_view kStandardOutput = "-";

    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    /// Decides the target's kind and refuses it before anything is written. The folder of a
    /// new file must exist.
    Status Open(const std::string& path, const OutputFileRules& rules = {});
    Status Write(std::string_view bytes);
    /// Rewrites bytes already written (a header whose sizes are known at the end); only when
    /// CanRewrite().
    Status WriteAt(std::uint64_t offset, std::string_view bytes);
    bool CanRewrite() const { return Kind != OutputTargetKind::Stream; }
    /// Flushes to the disk and renames the file into place (a stream is only closed).
    Status Commit();
    /// Drops what was written; the target keeps what it had.
    void Discard();

    /// Open, one Write and Commit: a whole text or file at once (settings, saved texts).
    static Status WriteWhole(const std::string& path, std::string_view bytes,
                             const OutputFileRules& rules = {});

    OutputTargetKind TargetKind() const { return Kind; }
    bool IsOpen() const { return Fd >= 0; }

    /// Whether a file name is one of our temporary names for fileName:
    /// "." + fileName + "." + process id + "." + six letters or digits. Gives the process id.
    static std::optional<long> TemporaryOwner(std::string_view entryName, std::string_view fileName);

private:
    Status Refuse(int code, std::string_view reason) const;
    Status OpenReplaced(const std::string& target, std::optional<struct stat> old);
    Status OpenInPlace(const std::string& path, const struct stat& seen);
    Status FinishReplaced();

    int Fd = -1;
    bool OwnsFd = false;
    OutputTargetKind Kind = OutputTargetKind::NewFile;
    OutputFileRules Rules;
    /// The path as the caller gave it, for messages.
    std::string ShownPath;
    /// The file the rename replaces (a link's target when the path is the user's own link).
    std::string TargetPath;
    std::string TemporaryPath;
    std::optional<mode_t> OldMode;
    std::optional<uid_t> OldOwner;
    std::optional<gid_t> OldGroup;
};

}  // namespace kelvaro
