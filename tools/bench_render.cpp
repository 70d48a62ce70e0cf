// Benchmark: how many times faster than real time the engine renders random characters, and
// how much memory it holds while doing so.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <string>

#include "core/CharacterPool.h"
#include "core/MorseTable.h"
#include "core/PlayEngine.h"
#include "core/PlayHost.h"
#include "core/RandomGenerator.h"
#include "core/SpeedSettings.h"
#include "platform/WaveOut.h"
#include "platform/WindowTimer.h"

namespace kelvaro {
namespace {

// A device that takes every buffer at once and only counts its frames.
class CountingDevice : public WaveOut {
public:
    explicit CountingDevice(std::deque<std::function<void()>>& loop) : Loop(loop) {}
    Status Open(int, DoneHandler onDone) override {
        OnDone = std::move(onDone);
        return Status::Success();
    }
    Status Reset() override { return Status::Success(); }
    Status Write(int bufferId, std::span<const Sample> frames) override {
        if (bufferId == PlayEngine::kCharacterBuffer) {
            Frames += static_cast<long long>(frames.size() / kChannels);
        }
        Loop.push_back([this, bufferId] { OnDone(bufferId); });
        return Status::Success();
    }
    void Close() override {}
    bool IsOpen() const override { return true; }
    std::string Description() const override { return "counting"; }

    long long Frames = 0;

private:
    std::deque<std::function<void()>>& Loop;
    DoneHandler OnDone;
};

class IdleTimer : public WindowTimer {
public:
    void SetIntervalMs(int) override {}
    void SetEnabled(bool) override {}
    bool Enabled() const override { return false; }
    void SetOnTimer(std::function<void()>) override {}
};

class BenchHost : public PlayHost {
public:
    CharacterContext Context;
    CharacterContext ContextForCharacter() const override { return Context; }
    void OnPlaybackEnded() override {}
    void ShowDeviceError(const Status& status) override {
        std::fprintf(stderr, "device error %d %s\n", status.Code, status.Context.c_str());
    }
};

long PeakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Result {
    double TimesRealTime;
    long long Frames;
};

Result Run(int speedWpm, bool impaired, int characters) {
    std::deque<std::function<void()>> loop;
    CountingDevice device(loop);
    IdleTimer timer;
    RandomGenerator random(2024);
    MorseTable table;
    SpeedSettings speed;
    speed.ApplySpeed(speedWpm);
    BenchHost host;
    host.Context.NoiseOn = impaired;
    host.Context.QsbOn = impaired;
    PlayEngine engine(device, timer, random, table, speed, host);
    engine.OpenOutput(WaveOut::kDefaultDevice);
    engine.Qsb().DepthDb = 20;

    std::string text;
    text.reserve(static_cast<std::size_t>(characters));
    for (int i = 0; i < characters; ++i) {
        text += (i % 6 == 5)
                    ? ' '
                    : CharacterPool::kStandardCharacters[random.RandomInt(CharacterPool::kStandardCount)];
    }
    const auto start = std::chrono::steady_clock::now();
    engine.PlayQueue() = text;
    engine.StartClick();
    while (!loop.empty()) {
        auto work = std::move(loop.front());
        loop.pop_front();
        work();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double audioSeconds = static_cast<double>(device.Frames) / kFrameRateHz;
    return {audioSeconds / seconds, device.Frames};
}

}  // namespace
}  // namespace kelvaro

int main() {
    using namespace kelvaro;
    std::printf("Rendering 10000 random characters (groups of five) through the play engine\n");
    std::printf("%-8s %-16s %14s %16s %14s\n", "speed", "impairments", "audio (s)", "x real time",
                "peak RSS (MB)");
    for (int wpm : {12, 40}) {
        for (bool impaired : {false, true}) {
            const Result result = Run(wpm, impaired, 10000);
            std::printf("%-8s %-16s %14.1f %16.0f %14.1f\n", (std::to_string(wpm) + " wpm").c_str(),
                        impaired ? "noise + QSB" : "clean", static_cast<double>(result.Frames) / kFrameRateHz,
                        result.TimesRealTime, PeakResidentKb() / 1024.0);
        }
    }
    const long before = PeakResidentKb();
    const Result longer = Run(12, true, 100000);
    std::printf(
        "100000 characters at 12 wpm with noise + QSB: %.0f x real time, peak RSS %.1f MB "
        "(was %.1f MB after 10000: growth %.1f MB for 90000 more characters)\n",
        longer.TimesRealTime, PeakResidentKb() / 1024.0, before / 1024.0,
        (PeakResidentKb() - before) / 1024.0);
    return 0;
}
