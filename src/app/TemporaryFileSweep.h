// Removes the temporary files that an interrupted write of ours left behind.
#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string_view>

namespace kelvaro {

/// When a process started, in seconds since the epoch; nothing when it is not running.
std::optional<std::time_t> ProcessStartTime(long pid);

/// Removes from folder the temporary files OutputFile made for fileName whose writer is gone:
/// its process is no longer running, or the file is older than the process now holding that
/// number. Only regular files of the user running the program are touched. Gives the count.
int RemoveStaleTemporaries(const std::filesystem::path& folder, std::string_view fileName);

}  // namespace kelvaro
