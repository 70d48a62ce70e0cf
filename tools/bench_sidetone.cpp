// How soon a hand key's sidetone sounds: from the key-down handler starting the tone to the
// first tone frames leaving the program for the sound server, and the server's own latency
// (the sound it holds ahead of them) reported beside it; median and 99th percentile over many
// presses through the sidetone's own low-latency output.
//
//   bench_sidetone [PRESSES]        (default 200; needs a sound server, e.g. under
//                                    scripts/with-audio-env.sh)
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/MorseTable.h"
#include "core/PlayEngine.h"
#include "core/PlayHost.h"
#include "core/RandomGenerator.h"
#include "core/SpeedSettings.h"
#include "platform/EventLoop.h"
#include "platform/PulseWaveOut.h"

namespace kelvaro {
namespace {

class BenchHost : public PlayHost {
public:
    void OnPlaybackEnded() override {}
    void ShowDeviceError(const Status& status) override {
        std::fprintf(stderr, "device error %d %s\n", status.Code, status.Context.c_str());
    }
};

std::int64_t NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

void Print(const char* label, const std::vector<double>& ms) {
    std::printf("%-44s median %6.2f ms   p99 %6.2f ms   max %6.2f ms\n", label, Percentile(ms, 0.5),
                Percentile(ms, 0.99), Percentile(ms, 1.0));
}

int Run(int presses) {
    if (!PulseWaveOut::ServerReachable()) {
        std::fprintf(stderr, "bench_sidetone: no sound server answers\n");
        return 77;
    }
    EventLoop loop;
    PulseWaveOut device(loop, PulseWaveOut::kSidetoneLatencyS);
    std::atomic<std::int64_t> handedOverNs{0};
    std::atomic<std::int64_t> firstFrameDelayUs{0};
    device.SetOnFirstFramesHandedOver(
        [&handedOverNs, &firstFrameDelayUs](int bufferId, std::int64_t nowNs, std::int64_t delayUs) {
            if (bufferId == PlayEngine::kCharacterBuffer) {
                std::int64_t none = 0;
                if (handedOverNs.compare_exchange_strong(none, nowNs)) {
                    firstFrameDelayUs = delayUs;
                }
            }
        });
    const auto timer1 = loop.CreateTimer();
    MorseTable table;
    SpeedSettings speed;
    RandomGenerator random(1);
    BenchHost host;
    PlayEngine engine(device, *timer1, random, table, speed, host);
    const Status opened = engine.OpenOutput(WaveOut::kDefaultDevice);
    if (!opened.Ok() || engine.NoSoundCard()) {
        std::fprintf(stderr, "bench_sidetone: cannot open the sound output (%d)\n", opened.Code);
        return 1;
    }
    std::printf("%s\n", device.Description().c_str());
    auto runFor = [&loop](int ms) { loop.RunUntil([] { return false; }, ms); };
    runFor(500);  // the stream settles

    std::vector<double> handOverMs;
    std::vector<double> serverMs;
    std::vector<double> totalMs;
    int missed = 0;
    for (int press = 0; press < presses; ++press) {
        handedOverNs = 0;
        const std::int64_t keyDownNs = NowNs();
        engine.StartSidetone(false);  // what the key-down handler does
        if (!loop.RunUntil([&handedOverNs] { return handedOverNs.load() != 0; }, 1000)) {
            ++missed;
        } else {
            const double handOver = static_cast<double>(handedOverNs.load() - keyDownNs) / 1e6;
            const double server = static_cast<double>(firstFrameDelayUs.load()) / 1000.0;
            handOverMs.push_back(handOver);
            serverMs.push_back(server);
            totalMs.push_back(handOver + server);
        }
        runFor(60 + press % 7 * 10);  // the key is held, the tone sounds
        engine.StopSidetone();
        runFor(70 + press % 5 * 13);  // the key is up
    }
    engine.CloseOutput();
    if (handOverMs.empty()) {
        std::fprintf(stderr, "bench_sidetone: no tone ever reached the server\n");
        return 1;
    }
    std::printf("%d presses (%d never reached the server)\n", presses, missed);
    Print("key down -> first tone frames to the server", handOverMs);
    Print("server latency (first tone frame to speaker)", serverMs);
    Print("key down -> heard (sum)", totalMs);
    return missed == 0 ? 0 : 1;
}

}  // namespace
}  // namespace kelvaro

int main(int argc, char** argv) {
    const int presses = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    return kelvaro::Run(presses);
}
