// The sound engine: plays the text queue one rendered character at a time on the output device.
#include "core/PlayEngine.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>

#include "core/CharacterLayout.h"
#include "core/CharacterRenderer.h"
#include "core/ElementTiming.h"
#include "core/MorseTable.h"
#include "core/PlayHost.h"
#include "core/SpeedSettings.h"
#include "core/TransmitterKeying.h"

namespace kelvaro {

PlayEngine::PlayEngine(WaveOut& output, WindowTimer& timer1, RandomGenerator& random, const MorseTable& table,
                       const SpeedSettings& speed, PlayHost& host)
    : Output(&output),
      Timer1(timer1),
      Random(random),
      Table(table),
      Speed(speed),
      Host(host),
      CharBuffer(static_cast<std::size_t>(kCharacterBufferFrames) * kChannels, 0),
      NoiseTail(static_cast<std::size_t>(kNoiseTailFrames) * kChannels, 0) {
    Timer1.SetIntervalMs(kNoSoundCardCharacterMs);
    Timer1.SetOnTimer([this] { Timer1Timer(); });
}

Status PlayEngine::OpenOutput(int deviceId) {
    OpenDeviceId = deviceId;
    // The tables are built whatever the device does: the recorder renders from them too.
    RebuildTables();
    const Status opened = Output->Open(deviceId, DoneHandlerFor(Output));
    if (!opened.Ok()) {
        NoDevice = true;
        return Status::Failure(opened.Code, kCantOpenContext);
    }
    NoDevice = false;
    const Status reset = Output->Reset();
    if (!reset.Ok()) {
        return Status::Failure(reset.Code, kResetContext);
    }
    return Status::Success();
}

Status PlayEngine::ReopenOutput(int deviceId) {
    if (Output->IsOpen()) {
        Output->Reset();
        Output->Close();
    }
    return OpenOutput(deviceId);
}

Status PlayEngine::UseOutput(WaveOut& output) {
    if (&output == Output) {
        return Status::Success();
    }
    if (IsSidetoneActive) {
        StopSidetone();
    }
    // Buffers the old device hands back from now on (at once or later) are not the end of
    // anything on the new one.
    SwitchingOutput = true;
    if (Output->IsOpen()) {
        Output->Reset();
        Output->Close();
    }
    Output = &output;
    Status result = Status::Success();
    if (!NoDevice) {
        const Status opened = Output->Open(OpenDeviceId, DoneHandlerFor(Output));
        if (!opened.Ok()) {
            result = Status::Failure(opened.Code, kCantOpenContext);
        } else if (const Status reset = Output->Reset(); !reset.Ok()) {
            result = Status::Failure(reset.Code, kResetContext);
        }
    }
    SwitchingOutput = false;
    // A character cut by the switch counts as played: the chain goes on on the new device.
    if (!IsBufferIdle) {
        CompletionStep(kCharacterBuffer, true);
    }
    return result;
}

WaveOut::DoneHandler PlayEngine::DoneHandlerFor(const WaveOut* device) {
    return [this, device](int bufferId) {
        if (device == Output && !SwitchingOutput) {
            OnBufferDone(bufferId);
        }
    };
}

void PlayEngine::CloseOutput() {
    Timer1.SetEnabled(false);
    if (Output->IsOpen()) {
        Output->Reset();
        Output->Close();
    }
}

void PlayEngine::StartClick() {
    if (Host.IsQuitting()) {
        return;  // nothing sounds or keys once the program is on its way out
    }
    while (IsBufferIdle) {
        if (Queue.empty()) {
            CompletionStep(kCharacterBuffer, true);
            return;
        }
        const auto character = static_cast<std::uint8_t>(Queue.front());
        const bool fromShortcut = ShortcutCredit > 0;
        if (fromShortcut) {
            --ShortcutCredit;
        }
        Host.OnCharacterTaken(character, fromShortcut);
        if (Host.IsMasked(character)) {
            Queue.erase(0, 1);
            continue;
        }
        const bool isBlank = character == ' ';
        if (!isBlank && !Table.HasPattern(character)) {
            // Not playable: a shortcut key is replaced by its text, anything else is skipped
            // without sound and without a gap.
            if (const auto text = Host.ShortcutText(character)) {
                Queue.insert(1, *text);
                ShortcutCredit += text->size();
            }
            Queue.erase(0, 1);
            continue;
        }
        if (Host.SilentRun()) {
            RunSilentCompletion();
            return;
        }
        RenderAndQueue(character);
        return;
    }
}

// A silent series completes every character at once, and the mode's continuation asks for the
// next one from inside that completion. The nested request is run here after the outer
// completion returns, so a series of any length never deepens the stack.
void PlayEngine::RunSilentCompletion() {
    if (InSilentCompletion) {
        SilentCompletionPending = true;
        return;
    }
    InSilentCompletion = true;
    do {
        SilentCompletionPending = false;
        CompletionStep(kCharacterBuffer, true);
    } while (SilentCompletionPending);
    InSilentCompletion = false;
}

void PlayEngine::RenderAndQueue(std::uint8_t character) {
    const CharacterContext context = Host.ContextForCharacter();
    const bool isBlank = character == ' ';
    const int speedWpm = Speed.SpeedWpm();
    const ElementTiming timing = ElementTiming::For(speedWpm, Speed.WeightRatio(), context.PaddleHeld);
    LastKeying = KeyingSchedule::For(timing, KeyingConfigured(), context.PaddleHeld);

    RenderEffects effects;
    bool driftStepped = false;
    if (!isBlank) {
        if (context.QsbOn) {
            effects.QsbFactor = Fading.NextCharacterFactor(speedWpm);
        }
        if (context.DriftOn) {
            driftStepped = DriftState.Step(Note);
        }
    }
    std::optional<SilenceNoise> silenceNoise;
    if (context.NoiseOn) {
        silenceNoise.emplace(NoiseLevelRange, NoiseBandwidthDivisor, Random);
        effects.Noise = &NoiseValues;
        effects.Silence = &*silenceNoise;
    }
    static const std::string kNoPattern;
    const std::string& pattern = isBlank ? kNoPattern : Table.Pattern(character);
    const int frames = RenderCharacter(pattern, timing, TrailingGapUnits(isBlank, Speed, context), ToneValues,
                                       effects, CharBuffer, isBlank ? nullptr : &LastKeying);

    if (!ReclaimOutputFromInput()) {
        return;
    }
    QueueCharacter(frames, isBlank, context.NoiseOn);
    if (NoDevice) {
        Timer1.SetEnabled(true);
    }
    if (driftStepped) {
        RebuildTables();
    }
}

// The audio decoder and the output share the sound card: the output takes it back before
// a character plays.
bool PlayEngine::ReclaimOutputFromInput() {
    if (!Host.InputDeviceOpen()) {
        return true;
    }
    Host.CloseInputDevice();
    if (NoDevice) {
        return true;
    }
    Output->Close();
    const Status opened = Output->Open(OpenDeviceId, DoneHandlerFor(Output));
    if (!opened.Ok()) {
        Host.FatalDeviceError(Status::Failure(opened.Code, kCantOpenContext));
        return false;
    }
    ShowIfFailed(Output->Reset(), kResetContext);
    return true;
}

void PlayEngine::QueueCharacter(int frames, bool isBlank, bool noiseOn) {
    IsBufferIdle = false;
    if (!NoDevice) {
        // Cuts the noise tail of the previous character, if it still plays.
        ShowIfFailed(Output->Reset(), kResetContext);
    }
    if (KeyingConfigured() && !isBlank) {
        LastKeying.LeadMs = NoDevice ? 0 : Output->OutputLatencyMs();
        Transmitter->CwKeyDown(LastKeying, false);
    }
    if (NoDevice) {
        return;
    }
    const Status written = Output->Write(
        kCharacterBuffer,
        std::span<const Sample>(CharBuffer.data(), static_cast<std::size_t>(frames) * kChannels));
    if (!written.Ok()) {
        // A device that refuses one buffer refuses the next ones too: rather than one message
        // per queued character, playback stops here, ends as after Stop (keying released, PTT
        // off, controls back), and the error is shown once.
        IsBufferIdle = true;  // nothing is pending: what Stop keeps starts at this character
        Host.StopOnDeviceFailure();
        Queue.clear();
        CompletionStep(kCharacterBuffer, true);
        ShowIfFailed(written, kWriteContext);
        return;
    }
    if (noiseOn) {
        // The noise plays on behind the character until the next character cuts it.
        ShowIfFailed(Output->Write(kNoiseTailBuffer, NoiseTail), kWriteContext);
    }
}

void PlayEngine::OnBufferDone(int bufferId) {
    CompletionStep(bufferId, false);
}

void PlayEngine::Timer1Timer() {
    CompletionStep(kCharacterBuffer, true);
}

void PlayEngine::CompletionStep(int bufferId, bool forced) {
    if (!Host.SilentRun()) {
        // With a sound device that has a latency the keying is led by it (QueueCharacter): the
        // list still keys for about one latency after the device took the character's last
        // frame and ends with the sound by its own final entry, so stopping it here would cut
        // its last element. Forced ends (no device, a refused buffer) stop at once.
        if (Transmitter != nullptr && (forced || NoDevice || Output->OutputLatencyMs() == 0)) {
            Transmitter->StopElementSequencer();
        }
        // The noise tail, and buffers returned by a reset after their character was already
        // done, are not the end of a character.
        if (!forced && (bufferId != kCharacterBuffer || IsBufferIdle)) {
            return;
        }
    }
    IsBufferIdle = true;
    if (Host.IsQuitting()) {
        return;
    }
    Host.OnCharacterSounded();
    if (!Queue.empty()) {
        Queue.erase(0, 1);
    }
    if (!Queue.empty()) {
        StartClick();
        return;
    }
    if (NoDevice) {
        Timer1.SetEnabled(false);
    }
    Host.OnPlaybackEnded();
}

void PlayEngine::StartSidetone(bool noiseOn) {
    if (!ReclaimOutputFromInput()) {
        return;
    }
    for (int n = 0; n < kSidetoneFrames; ++n) {
        CharBuffer[static_cast<std::size_t>(n) * 2] = ToneValues[n];
        CharBuffer[static_cast<std::size_t>(n) * 2 + 1] = ToneValues[n];
    }
    IsBufferIdle = false;
    if (noiseOn && !NoDevice) {
        ShowIfFailed(Output->Reset(), kResetContext);
    }
    if (KeyingConfigured()) {
        Transmitter->CwKeyDown(LastKeying, true);
        HandKeyed = true;
    }
    if (!NoDevice) {
        ShowIfFailed(
            Output->Write(kCharacterBuffer,
                          std::span<const Sample>(CharBuffer.data(),
                                                  static_cast<std::size_t>(kSidetoneFrames) * kChannels)),
            kWriteContext);
    }
    IsSidetoneActive = true;
}

void PlayEngine::StopSidetone() {
    IsSidetoneActive = false;
    // The line keyed by the held key is released before the tone: the completion of the tone
    // would leave a hand-keyed line as it is.
    if (HandKeyed) {
        HandKeyed = false;
        if (Transmitter != nullptr) {
            Transmitter->CwKeyUp();
        }
    }
    if (NoDevice) {
        // Nothing will report the tone done: end it here.
        CompletionStep(kCharacterBuffer, true);
        return;
    }
    ShowIfFailed(Output->Reset(), kResetContext);
}

void PlayEngine::UpDownAmplitudeClick(int levelDb) {
    Level = std::clamp(levelDb, kMinLevelDb, kMaxLevelDb);
    const double gain = std::pow(10.0, Level / 20.0);
    if (gain != Gain) {
        Gain = gain;
        RebuildTables();
    }
}

bool PlayEngine::UpVolumeClick() {
    if (Level >= kMaxLevelDb) {
        return false;
    }
    UpDownAmplitudeClick(Level + 3);
    return true;
}

bool PlayEngine::DownVolumeClick() {
    if (Level < -14) {
        return false;
    }
    UpDownAmplitudeClick(Level - 3);
    return true;
}

void PlayEngine::SetNoteFrequency(double hz) {
    Note = hz;
    Base = hz;
    RebuildTables();
}

void PlayEngine::SetExamTone(bool on) {
    Exam = on;
    RebuildTables();
}

void PlayEngine::SetNoise(int noiseRange, int bandwidthDivisor) {
    NoiseLevelRange = noiseRange;
    NoiseBandwidthDivisor = bandwidthDivisor;
    RebuildTables();
}

void PlayEngine::StartQsbCycle() {
    Fading.StartAtRandom(Speed.SpeedWpm(), Random);
}

void PlayEngine::RestoreDriftedTone() {
    if (Note != Base) {
        Note = Base;
        RebuildTables();
    }
    DriftState.ResetDirection();
}

void PlayEngine::RebuildTables() {
    ToneValues.Rebuild(Note, Gain, Exam);
    NoiseValues.Rebuild(NoiseLevelRange, NoiseBandwidthDivisor, Random);
    for (int k = 0; k < kNoiseTailFrames; ++k) {
        NoiseTail[static_cast<std::size_t>(k) * 2] = NoiseValues[k];
        NoiseTail[static_cast<std::size_t>(k) * 2 + 1] = NoiseValues[k];
    }
    ++RebuildCount;
}

bool PlayEngine::KeyingConfigured() const {
    return Transmitter != nullptr && Transmitter->KeyingConfigured();
}

void PlayEngine::ShowIfFailed(const Status& status, const char* context) {
    if (!status.Ok()) {
        Host.ShowDeviceError(Status::Failure(status.Code, context));
    }
}

}  // namespace kelvaro
