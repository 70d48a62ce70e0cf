// Serial lines for tests: every level change, time-stamped on the monotonic clock.
#pragma once

#include <time.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/SerialLines.h"

namespace kelvaro::test {

class RecordingLines : public SerialLines {
public:
    enum class Line { Dtr, Rts };
    struct Change {
        Line Which;
        bool Raised;
        std::int64_t TimeNs;  // CLOCK_MONOTONIC
    };

    Status Open(const std::string& devicePath) override {
        std::lock_guard lock(Mutex);
        if (FailOpen) {
            return Status::Failure(2, devicePath);
        }
        OpenPath = devicePath;
        Opened = true;
        return Status::Success();
    }
    void Close() override {
        std::lock_guard lock(Mutex);
        Opened = false;
        ++Closes;
    }
    bool IsOpen() const override {
        std::lock_guard lock(Mutex);
        return Opened;
    }
    bool SetDtr(bool raised) override { return Record(Line::Dtr, raised); }
    bool SetRts(bool raised) override { return Record(Line::Rts, raised); }

    std::vector<Change> Changes() const {
        std::lock_guard lock(Mutex);
        return Recorded;
    }
    /// Only the real level changes of one line (a write of the level it already has is left out).
    std::vector<Change> EdgesOf(Line which) const {
        std::lock_guard lock(Mutex);
        std::vector<Change> edges;
        bool level = false;
        for (const Change& change : Recorded) {
            if (change.Which == which && change.Raised != level) {
                edges.push_back(change);
                level = change.Raised;
            }
        }
        return edges;
    }
    void Clear() {
        std::lock_guard lock(Mutex);
        Recorded.clear();
    }
    /// From now on every write fails, as when the adapter is pulled out.
    void Unplug() {
        std::lock_guard lock(Mutex);
        Unplugged = true;
    }

    bool FailOpen = false;
    std::string OpenPath;
    int Closes = 0;

private:
    bool Record(Line which, bool raised) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::lock_guard lock(Mutex);
        if (!Opened) {
            return true;
        }
        if (Unplugged) {
            ++FailedWrites;
            return false;
        }
        Recorded.push_back(
            {which, raised, static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec});
        return true;
    }

    mutable std::mutex Mutex;
    bool Opened = false;
    bool Unplugged = false;
    std::vector<Change> Recorded;

public:
    int FailedWrites = 0;
};

}  // namespace kelvaro::test
