// Removes the temporary files that an interrupted write of ours left behind.
#include "app/TemporaryFileSweep.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

#include "app/OutputFile.h"

namespace kelvaro {

namespace {

/// The clock may have been set a little between the start and now.
constexpr std::time_t kStartSlackSeconds = 2;

std::optional<unsigned long long> Number(std::string_view text) {
    unsigned long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::time_t> BootTime() {
    std::ifstream stat("/proc/stat");
    std::string line;
    while (std::getline(stat, line)) {
        if (line.rfind("btime ", 0) == 0) {
            const auto seconds = Number(std::string_view(line).substr(6));
            return seconds ? std::optional<std::time_t>(static_cast<std::time_t>(*seconds)) : std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::time_t> ProcessStartTime(long pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(stat, text)) {
        return std::nullopt;
    }
    // The command name in parentheses may hold spaces; the fields count from after it.
    const auto close = text.rfind(')');
    if (close == std::string::npos) {
        return std::nullopt;
    }
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    // Field 22 of the whole line is the start time; "state" is field 3.
    for (int index = 3; index <= 22 && fields >> field; ++index) {
        if (index == 22) {
            const std::optional<std::time_t> boot = BootTime();
            const long ticks = ::sysconf(_SC_CLK_TCK);
            if (!boot || ticks <= 0) {
                return std::nullopt;
            }
            return *boot +
                   static_cast<std::time_t>(std::stoull(field) / static_cast<unsigned long long>(ticks));
        }
    }
    return std::nullopt;
}

int RemoveStaleTemporaries(const std::filesystem::path& folder, std::string_view fileName) {
    int removed = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        const std::optional<long> owner = OutputFile::TemporaryOwner(name, fileName);
        if (!owner) {
            continue;
        }
        struct stat status {};
        if (::lstat(entry.path().c_str(), &status) != 0 || !S_ISREG(status.st_mode) ||
            status.st_uid != ::geteuid()) {
            continue;
        }
        bool stale = false;
        if (*owner == ::getpid()) {
            stale = false;  // one of this run's own writes
        } else if (::kill(static_cast<pid_t>(*owner), 0) != 0 && errno == ESRCH) {
            stale = true;
        } else {
            const std::optional<std::time_t> started = ProcessStartTime(*owner);
            stale = started && status.st_mtime + kStartSlackSeconds < *started;
        }
        if (stale && ::unlink(entry.path().c_str()) == 0) {
            ++removed;
        }
    }
    return removed;
}

}  // namespace kelvaro
