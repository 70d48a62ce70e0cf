// Benchmark: how closely the CW line edges follow the ideal element schedule on this machine.
//
// Keys random groups through the real keying timer thread onto recording serial lines and
// prints, per speed, the error of every timed key-down and key-up edge against the schedule
// (p50, p99, max, in microseconds), first with the machine idle, then with the other cores
// busy; plus the lateness of a bare clock_nanosleep measured in the same run, the floor the
// keying improves on. Usage: bench_keying [characters per speed, default 500]
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/ElementTiming.h"
#include "core/KeyingSchedule.h"
#include "core/MorseTable.h"
#include "platform/LinuxOneShotTimer.h"
#include "platform/PortAccess.h"
#include "platform/SerialLines.h"
#include "platform/SystemClock.h"
#include "platform/WindowTimer.h"
#include "transmitter/TransmitterKeyer.h"

namespace {

using namespace kelvaro;

std::int64_t NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

/// The RTS line, time-stamped at each write.
class RecordingRts final : public SerialLines {
public:
    Status Open(const std::string&) override {
        Opened = true;
        return Status::Success();
    }
    void Close() override { Opened = false; }
    bool IsOpen() const override { return Opened; }
    bool SetDtr(bool) override { return true; }
    bool SetRts(bool raised) override {
        const std::int64_t nowNs = NowNs();
        std::lock_guard lock(Mutex);
        Edges.push_back({raised, nowNs});
        return true;
    }
    struct Edge {
        bool Raised;
        std::int64_t TimeNs;
    };
    std::vector<Edge> Take() {
        std::lock_guard lock(Mutex);
        std::vector<Edge> taken;
        taken.swap(Edges);
        return taken;
    }
    std::size_t Count() {
        std::lock_guard lock(Mutex);
        return Edges.size();
    }

private:
    bool Opened = false;
    std::mutex Mutex;
    std::vector<Edge> Edges;
};

class NoPort final : public PortAccess {
public:
    std::uint16_t GetLPTPortAddress(int) override { return 0; }
    void EnablePorts(std::uint16_t, std::uint16_t) override {}
    void DisablePorts(std::uint16_t, std::uint16_t) override {}
    std::uint16_t Inport(std::uint16_t) override { return 0; }
    void Outport(std::uint16_t, std::uint16_t) override {}
    std::string GetLastState() override { return "success"; }
};

class NoWindowTimer final : public WindowTimer {
public:
    void SetIntervalMs(int) override {}
    void SetEnabled(bool enabled) override { IsEnabled = enabled; }
    bool Enabled() const override { return IsEnabled; }
    void SetOnTimer(std::function<void()>) override {}

private:
    bool IsEnabled = false;
};

class NoDispatcher final : public Dispatcher {
public:
    void Post(std::function<void()>) override {}
};

struct Percentiles {
    double P50 = 0, P99 = 0, Max = 0;
};

Percentiles Summarise(std::vector<double> values) {
    Percentiles result;
    if (values.empty()) {
        return result;
    }
    std::sort(values.begin(), values.end());
    const auto at = [&](double q) { return values[static_cast<std::size_t>(q * (values.size() - 1))]; };
    result.P50 = at(0.50);
    result.P99 = at(0.99);
    result.Max = values.back();
    return result;
}

/// Sleeps to absolute deadlines 1 to 5 ms ahead and records how late each wake is, in us.
Percentiles BareSleepLateness(int samples) {
    std::mt19937 random(7);
    std::vector<double> lateness;
    for (int i = 0; i < samples; ++i) {
        const std::int64_t targetNs = NowNs() + 1'000'000 + static_cast<std::int64_t>(random() % 4'000'000);
        timespec target{};
        target.tv_sec = static_cast<time_t>(targetNs / 1'000'000'000);
        target.tv_nsec = static_cast<long>(targetNs % 1'000'000'000);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &target, nullptr) != 0) {
        }
        lateness.push_back(static_cast<double>(NowNs() - targetNs) / 1000.0);
    }
    return Summarise(lateness);
}

struct SpeedResult {
    Percentiles Edge;
    double FirstEdgeP50 = 0;
    double LastEdgeP50 = 0;
    int CharactersWithDrift = 0;
};

SpeedResult RunSpeed(int speedWpm, int characters) {
    RecordingRts lines;
    NoPort port;
    NoWindowTimer txDelay;
    NoDispatcher window;
    const SystemClock clock;
    TransmitterKeyer keyer(lines, port, std::make_unique<LinuxOneShotTimer>(), txDelay, window, clock);
    KeyingRoute route;
    route.PttLineMask = kDtrBit;
    route.CwLineMask = kRtsBit;
    keyer.SetRoute(route);
    keyer.OpenComPort("bench");

    const MorseTable table;
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyz0123456789.,?/+'-=";
    std::mt19937 random(static_cast<unsigned>(speedWpm));
    const ElementTiming timing = ElementTiming::For(speedWpm, 3, false);

    std::vector<double> errors;
    std::vector<double> firstErrors;
    std::vector<double> lastErrors;
    SpeedResult result;
    for (int i = 0; i < characters; ++i) {
        const char character = alphabet[random() % alphabet.size()];
        const std::string& pattern = table.Pattern(static_cast<std::uint8_t>(character));
        KeyingSchedule schedule = KeyingSchedule::For(timing, true, false);
        schedule.BeginCharacter();
        for (char element : pattern) {
            schedule.AddElement(element == '-');
        }
        schedule.CloseCharacter();
        const std::size_t expectedEdges = 2 * pattern.size();

        keyer.CwKeyDown(schedule, false);
        while (lines.Count() < expectedEdges) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        const std::vector<RecordingRts::Edge> edges = lines.Take();
        // The first edge is written by CwKeyDown itself; every later one is due at the sum of
        // the list entries before it.
        std::int64_t idealNs = edges[0].TimeNs;
        double first = 0;
        double last = 0;
        for (std::size_t e = 1; e < edges.size(); ++e) {
            idealNs += static_cast<std::int64_t>(std::abs(schedule.ElementList[e - 1])) * 1'000'000;
            const double errorUs = static_cast<double>(std::llabs(edges[e].TimeNs - idealNs)) / 1000.0;
            errors.push_back(errorUs);
            if (e == 1) {
                first = errorUs;
            }
            last = errorUs;
        }
        firstErrors.push_back(first);
        lastErrors.push_back(last);
        if (last > first + 50.0) {
            ++result.CharactersWithDrift;
        }
        // A character space before the next one.
        std::this_thread::sleep_for(std::chrono::milliseconds(3 * schedule.GapMs));
    }
    keyer.CloseComPort();
    result.Edge = Summarise(errors);
    result.FirstEdgeP50 = Summarise(firstErrors).P50;
    result.LastEdgeP50 = Summarise(lastErrors).P50;
    return result;
}

void RunAll(const char* condition, int characters) {
    const Percentiles floor = BareSleepLateness(2000);
    std::printf("%s: bare clock_nanosleep lateness  p50 %7.1f us  p99 %7.1f us  max %8.1f us\n", condition,
                floor.P50, floor.P99, floor.Max);
    for (int speedWpm : {12, 30, 50}) {
        const SpeedResult result = RunSpeed(speedWpm, characters);
        std::printf(
            "%s: %2d wpm, %d characters: edge error p50 %6.1f us  p99 %6.1f us  max %8.1f us; "
            "first/last edge of a character p50 %.1f / %.1f us; characters whose last edge drifted "
            "more than 50 us beyond the first: %d\n",
            condition, speedWpm, characters, result.Edge.P50, result.Edge.P99, result.Edge.Max,
            result.FirstEdgeP50, result.LastEdgeP50, result.CharactersWithDrift);
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int characters = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    {
        LinuxOneShotTimer probe;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::printf("timer thread real-time policy: %s\n", probe.RealTimeGranted() ? "granted" : "refused");
    }
    RunAll("idle", characters);

    std::atomic<bool> stop{false};
    std::vector<std::thread> busy;
    const unsigned others = std::max(1U, std::thread::hardware_concurrency() - 1);
    for (unsigned i = 0; i < others; ++i) {
        busy.emplace_back([&stop] {
            std::vector<std::uint64_t> memory(1 << 18);
            std::uint64_t x = 1;
            while (!stop.load(std::memory_order_relaxed)) {
                for (std::uint64_t& cell : memory) {
                    x = x * 6364136223846793005ULL + 1;
                    cell ^= x;
                }
            }
        });
    }
    RunAll("busy", characters);
    stop = true;
    for (std::thread& thread : busy) {
        thread.join();
    }
    return 0;
}
