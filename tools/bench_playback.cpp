// Benchmark: plays minutes of Morse through the real sound output, records what the sound server
// plays, and counts the holes in it, on an idle machine and with both cores kept busy.
//
//   bench_playback [MINUTES] [WPM]      (defaults: 3 minutes, 30 wpm; run idle, then loaded)
//
// Needs a sound server whose default output has a monitor to record (parec from
// pulseaudio-utils): `scripts/with-audio-env.sh build/release/tools/bench_playback 10` plays into a
// private null sink. A hole is a tone shorter (or longer) than the element it renders, or a gap
// inside an element. The keying offset is how far each character's first tone lies from the
// moment the transmitter's keying of it starts (handed to the device, plus the lead the engine
// gives the keying); its mean shows how far the sound lags the keying, its spread over the run
// whether the sound drifts away from it.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "cli/CountingWaveOut.h"
#include "core/ElementTiming.h"
#include "core/MorseTable.h"
#include "core/PlayEngine.h"
#include "core/PlayHost.h"
#include "core/RandomGenerator.h"
#include "core/SpeedSettings.h"
#include "core/TransmitterKeying.h"
#include "e2e/MarkDecoder.h"
#include "e2e/WavToneAnalyzer.h"
#include "platform/EventLoop.h"
#include "platform/WaveOutFactory.h"

extern char** environ;

namespace kelvaro {
namespace {

using SteadyClock = std::chrono::steady_clock;

class BenchHost : public PlayHost {
public:
    std::function<void()> OnEnded;
    void OnPlaybackEnded() override { OnEnded(); }
    void ShowDeviceError(const Status& status) override {
        std::fprintf(stderr, "device error %d %s\n", status.Code, status.Context.c_str());
    }
};

/// A transmitter with keying set up: notes when the engine has each character's keying start.
class KeyingStarts : public TransmitterKeying {
public:
    bool KeyingConfigured() const override { return true; }
    void CwKeyDown(const KeyingSchedule& schedule, bool) override {
        StartAt.push_back(SteadyClock::now() + std::chrono::milliseconds(schedule.LeadMs));
    }
    void CwKeyUp() override {}
    void StopElementSequencer() override {}

    std::vector<SteadyClock::time_point> StartAt;
};

/// Random five-character groups of letters and figures that last about minutes at speedWpm.
std::string MakeText(double minutes, int speedWpm, const MorseTable& table, RandomGenerator& random) {
    static constexpr char kCharacters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    const double unitS =
        ElementTiming::For(speedWpm, 3, false).UnitGapFrames / static_cast<double>(kFrameRateHz);
    double units = 0.0;
    std::string text;
    while (units * unitS < minutes * 60.0) {
        for (int i = 0; i < 5; ++i) {
            const char c = kCharacters[random.RandomInt(sizeof kCharacters - 1)];
            text += c;
            for (const char element : table.Pattern(static_cast<std::uint8_t>(c))) {
                units += element == '-' ? 4 : 2;
            }
            units += 2;
        }
        text += ' ';
        units += 4;
    }
    return text;
}

pid_t Spawn(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    return pid;
}

void Stop(pid_t pid, int signal) {
    if (pid > 0) {
        kill(pid, signal);
        int status = 0;
        waitpid(pid, &status, 0);
    }
}

struct RunResult {
    bool Ok = false;
    double PlayedS = 0.0;
    int Characters = 0;
    int Holes = 0;
    int WrongCharacters = 0;
    std::string FirstDifference;
    std::vector<std::string> HoleNotes;
    std::string Device;
    double OffsetSpreadMs = -1.0;  // largest minus smallest keying offset over the run
    double OffsetGrowthMs = 0.0;   // mean of the last 20 offsets minus mean of the first 20
    double OffsetMeanMs = 0.0;     // how far the sound lags the keying on average
};

RunResult PlayOnce(double minutes, int speedWpm, bool loaded, std::uint32_t seed) {
    RunResult result;
    MorseTable table;
    RandomGenerator random(seed);
    const std::string text = MakeText(minutes, speedWpm, table, random);
    result.Characters = static_cast<int>(text.size());

    std::vector<pid_t> loaders;
    if (loaded) {
        for (int i = 0; i < 2; ++i) {
            loaders.push_back(Spawn({"sh", "-c", "while :; do :; done"}));
        }
    }
    char recording[] = "/tmp/kelvaro-bench-playback-XXXXXX.wav";
    const int fd = mkstemps(recording, 4);
    if (fd < 0) {
        std::fprintf(stderr, "cannot create a temporary file\n");
        return result;
    }
    close(fd);
    const auto recordingStarted = SteadyClock::now();
    const pid_t recorder = Spawn({"parec", "-d", "@DEFAULT_MONITOR@", "--file-format=wav", "--rate=22050",
                                  "--channels=1", "--format=s16le", recording});
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    EventLoop loop;
    const std::unique_ptr<WaveOut> device = CreateWaveOut(loop);
    cli::CountingWaveOut output(*device);
    const auto timer1 = loop.CreateTimer();
    SpeedSettings speed;
    speed.ApplySpeed(speedWpm);
    BenchHost host;
    RandomGenerator engineRandom(seed);
    PlayEngine engine(output, *timer1, engineRandom, table, speed, host);
    KeyingStarts keying;
    engine.SetTransmitter(&keying);
    const Status opened = engine.OpenOutput(WaveOut::kDefaultDevice);
    result.Device = output.Description();
    if (!opened.Ok() || engine.NoSoundCard()) {
        std::fprintf(stderr, "cannot open the sound output: %d %s\n", opened.Code, opened.Context.c_str());
    } else {
        bool ended = false;
        host.OnEnded = [&] {
            ended = true;
            if (output.Outstanding == 0) {
                loop.Quit();
            }
        };
        output.OnDrained = [&] {
            if (ended) {
                loop.Quit();
            }
        };
        const auto start = SteadyClock::now();
        engine.PlayQueue() = text;
        loop.Post([&engine] { engine.StartClick(); });
        loop.Run();
        engine.CloseOutput();
        result.PlayedS = std::chrono::duration<double>(SteadyClock::now() - start).count();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    Stop(recorder, SIGINT);
    for (const pid_t loader : loaders) {
        Stop(loader, SIGTERM);
    }
    if (result.PlayedS == 0.0) {
        std::remove(recording);
        return result;
    }

    std::string error;
    const auto wav = WavToneAnalyzer::ReadWavFile(recording, error);
    std::remove(recording);
    if (!wav) {
        std::fprintf(stderr, "cannot read the recording: %s\n", error.c_str());
        return result;
    }
    const ToneAnalysis analysis = WavToneAnalyzer::Analyze(*wav);
    const DecodedMarks decoded = DecodeMarks(analysis.Marks, ElementLengths::For(speedWpm), table);
    const std::string expected = NormalizeExpectedText(text);
    result.Holes = decoded.Holes;
    result.HoleNotes = decoded.HoleNotes;
    result.FirstDifference = FirstDifference(expected, decoded.Text);
    result.WrongCharacters = CharacterErrors(expected, decoded.Text);
    result.Ok = true;

    // The keying offset: only when every mark is where it belongs, so that the first tone of
    // each character can be found by counting elements.
    if (result.FirstDifference.empty() && decoded.Holes == 0) {
        std::vector<double> offsetsMs;
        std::size_t mark = 0;
        std::size_t keyed = 0;
        for (const char c : text) {
            if (c == ' ') {
                continue;
            }
            if (keyed >= keying.StartAt.size()) {
                break;
            }
            const double keyedMs =
                std::chrono::duration<double, std::milli>(keying.StartAt[keyed++] - recordingStarted).count();
            offsetsMs.push_back(analysis.Marks[mark].StartMs - keyedMs);
            mark += table.Pattern(static_cast<std::uint8_t>(c)).size();
        }
        if (offsetsMs.size() >= 40) {
            const auto [low, high] = std::minmax_element(offsetsMs.begin(), offsetsMs.end());
            result.OffsetSpreadMs = *high - *low;
            double first = 0.0;
            double last = 0.0;
            for (std::size_t i = 0; i < 20; ++i) {
                first += offsetsMs[i] / 20.0;
                last += offsetsMs[offsetsMs.size() - 1 - i] / 20.0;
            }
            result.OffsetGrowthMs = last - first;
            for (const double offset : offsetsMs) {
                result.OffsetMeanMs += offset / static_cast<double>(offsetsMs.size());
            }
        }
    }
    return result;
}

void Print(const char* label, const RunResult& result) {
    if (!result.Ok) {
        std::printf("%-7s failed (see the messages above)\n", label);
        return;
    }
    std::printf("%-7s %8.1f %10d %7d %8d", label, result.PlayedS / 60.0, result.Characters, result.Holes,
                result.WrongCharacters);
    if (result.OffsetSpreadMs >= 0.0) {
        std::printf(" %12.1f %14.1f %14.1f\n", result.OffsetMeanMs, result.OffsetSpreadMs,
                    result.OffsetGrowthMs);
    } else {
        std::printf(" %12s %14s %14s\n", "-", "-", "-");
    }
    for (std::size_t i = 0; i < result.HoleNotes.size() && i < 10; ++i) {
        std::printf("          hole: %s\n", result.HoleNotes[i].c_str());
    }
    if (!result.FirstDifference.empty()) {
        std::printf("          text %s\n", result.FirstDifference.c_str());
    }
}

}  // namespace
}  // namespace kelvaro

int main(int argc, char** argv) {
    using namespace kelvaro;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const double minutes = argc > 1 ? std::atof(argv[1]) : 3.0;
    const int speedWpm = argc > 2 ? std::atoi(argv[2]) : 30;
    if (minutes <= 0.0 || speedWpm < kMinSpeedWpm || speedWpm > kMaxSpeedWpm) {
        std::fprintf(stderr, "usage: bench_playback [MINUTES] [WPM 5..50]\n");
        return 2;
    }
    std::printf(
        "Playing %.1f minutes of random groups at %d wpm through the sound output, idle and with\n"
        "two busy loops; holes and wrong characters found in a recording of the server's output\n",
        minutes, speedWpm);
    const RunResult idle = PlayOnce(minutes, speedWpm, false, 2024);
    std::printf("output: %s\n", idle.Device.c_str());
    std::printf("%-7s %8s %10s %7s %8s %12s %14s %14s\n", "run", "minutes", "characters", "holes", "wrong",
                "offset mean", "offset spread", "offset growth");
    Print("idle", idle);
    const RunResult loaded = PlayOnce(minutes, speedWpm, true, 2025);
    Print("loaded", loaded);
    std::printf(
        "(offsets in ms: keying start to first tone of each character, their mean, spread and drift over\n"
        "the run)\n");
    return idle.Ok && loaded.Ok && idle.Holes + loaded.Holes == 0 ? 0 : 1;
}
