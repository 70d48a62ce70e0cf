// One run of kelvaro-cli: the engine set up from the options, played to a device or a file.
#include "cli/CliSession.h"

#include <unistd.h>

#include <cerrno>
#include <functional>
#include <memory>

#include "app/WavFileWriter.h"
#include "app/WavRecording.h"
#include "cli/CountingWaveOut.h"
#include "core/AudioFormat.h"
#include "core/MorseTable.h"
#include "core/PlayEngine.h"
#include "core/PlayHost.h"
#include "core/RandomGenerator.h"
#include "core/Rounding.h"
#include "core/SpeedSettings.h"
#include "platform/EventLoop.h"
#include "platform/NullWaveOut.h"
#include "platform/SystemClock.h"
#include "platform/WaveOutFactory.h"

namespace kelvaro::cli {

namespace {

// Plays one text and tells the loop when the queue has run empty.
class CliHost : public PlayHost {
public:
    CharacterContext Context;
    std::function<void()> OnEnded;
    Status FirstError;

    CharacterContext ContextForCharacter() const override { return Context; }
    void OnPlaybackEnded() override { OnEnded(); }
    void ShowDeviceError(const Status& status) override {
        if (FirstError.Ok()) {
            FirstError = status;
        }
    }
};

// Takes each character buffer the engine writes into the file and reports it done at once.
class WavCaptureWaveOut : public WaveOut {
public:
    WavCaptureWaveOut(Dispatcher& dispatcher, WavFileWriter& file) : Loop(dispatcher), File(file) {}

    Status Open(int, DoneHandler onDone) override {
        OnDone = std::move(onDone);
        Opened = true;
        return Status::Success();
    }
    Status Reset() override { return Status::Success(); }
    Status Write(int bufferId, std::span<const Sample> frames) override {
        if (bufferId == PlayEngine::kCharacterBuffer) {
            const Status status = File.Append(frames);
            if (!status.Ok() && FileError.Ok()) {
                FileError = status;
            }
        }
        Loop.Post([this, bufferId] { OnDone(bufferId); });
        return Status::Success();
    }
    void Close() override { Opened = false; }
    bool IsOpen() const override { return Opened; }
    std::string Description() const override { return "WAV file"; }

    Status FileError;

private:
    Dispatcher& Loop;
    WavFileWriter& File;
    DoneHandler OnDone;
    bool Opened = false;
};

struct Session {
    explicit Session(WaveOut& output, WindowTimer& timer1)
        : Engine(output, timer1, Random, Table, Speed, Host) {}

    RandomGenerator Random;
    MorseTable Table;
    SpeedSettings Speed;
    CliHost Host;
    PlayEngine Engine;
};

std::uint32_t SeedFor(const CliOptions& options) {
    if (options.Seed) {
        return *options.Seed;
    }
    return static_cast<std::uint32_t>(SystemClock().TimeOfDayUs());
}

// Applies the options the way the program's own controls would.
Status SetUp(Session& session, const CliOptions& options) {
    session.Random.SetSeed(SeedFor(options));
    session.Speed.ApplySpeed(options.SpeedWpm);
    session.Speed.SetWeightRatio(options.WeightRatio);
    session.Speed.SetWordSpaceFactor(options.WordSpaceFactor);
    session.Speed.ApplySpacing(options.Spacing);

    const Status opened = session.Engine.OpenOutput(WaveOut::kDefaultDevice);
    if (!opened.Ok()) {
        return opened;
    }
    PlayEngine& engine = session.Engine;
    if (options.LevelDb) {
        engine.UpDownAmplitudeClick(*options.LevelDb);
    }
    if (options.NoteHz) {
        engine.SetNoteFrequency(*options.NoteHz);
    }
    if (options.ExamTone) {
        engine.SetExamTone(true);
    }
    CharacterContext& context = session.Host.Context;
    if (options.NoisePosition) {
        engine.SetNoise(static_cast<int>(RoundRatio((20 - *options.NoisePosition) * 65536LL, 20)),
                        options.NoiseBandwidth);
        context.NoiseOn = true;
    }
    if (options.QsbDepthDb) {
        engine.Qsb().DepthDb = *options.QsbDepthDb;
        engine.StartQsbCycle();
        context.QsbOn = true;
    }
    if (options.DriftStepHz) {
        engine.Drift().SetStepSetting(*options.DriftStepHz);
        engine.SnapshotBaseFrequency();
        engine.Drift().SwitchOn();
        context.DriftOn = true;
    }
    return Status::Success();
}

}  // namespace

Status RenderToWav(const CliOptions& options) {
    // As compressors do: sound as bytes on a terminal helps nobody and can upset it.
    if (options.OutputPath == OutputFile::kStandardOutput && ::isatty(STDOUT_FILENO) == 1) {
        return Status::Failure(ENOTTY,
                               "cannot write standard output: a terminal (send it to a file or a pipe)");
    }
    WavFileWriter file;
    if (Status status = file.Open(options.OutputPath, kFrameRateHz, kChannels, 16); !status.Ok()) {
        return status;
    }
    EventLoop loop;
    WavCaptureWaveOut capture(loop, file);
    const auto timer1 = loop.CreateTimer();
    Session session(capture, *timer1);
    if (Status status = SetUp(session, options); !status.Ok()) {
        return status;
    }
    session.Host.OnEnded = [&loop] { loop.Quit(); };
    session.Engine.PlayQueue() += options.Text;
    loop.Post([&session] { session.Engine.StartClick(); });
    loop.Run();
    if (!capture.FileError.Ok()) {
        return capture.FileError;
    }
    return file.Commit();
}

Status RecordToWav(const CliOptions& options) {
    if (options.OutputPath == OutputFile::kStandardOutput && ::isatty(STDOUT_FILENO) == 1) {
        return Status::Failure(ENOTTY,
                               "cannot write standard output: a terminal (send it to a file or a pipe)");
    }
    // The engine only prepares the tone at the chosen pitch and level; nothing is played.
    EventLoop loop;
    NullWaveOut silent(loop);
    const auto timer1 = loop.CreateTimer();
    Session session(silent, *timer1);
    if (Status status = SetUp(session, options); !status.Ok()) {
        return status;
    }
    RecordFormat format;
    format.SetSamplesPerSecond(options.RecordRateHz);
    format.Channels = options.RecordChannels;
    format.Bits = options.RecordBits;
    const WavRecording recording(session.Table, session.Speed, session.Engine.Tone(), format);
    const Status status = recording.Record(options.Text, options.OutputPath);
    session.Engine.CloseOutput();
    return status;
}

Status PlayOnDevice(const CliOptions& options, std::string& info) {
    EventLoop loop;
    const std::unique_ptr<WaveOut> device = CreateWaveOut(loop);
    CountingWaveOut output(*device);
    const auto timer1 = loop.CreateTimer();
    Session session(output, *timer1);
    if (Status status = SetUp(session, options); !status.Ok()) {
        return status;
    }
    info = output.Description();

    bool ended = false;
    session.Host.OnEnded = [&] {
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
    session.Engine.PlayQueue() += options.Text;
    loop.Post([&session] { session.Engine.StartClick(); });
    loop.Run();
    session.Engine.CloseOutput();
    return session.Host.FirstError;
}

}  // namespace kelvaro::cli
