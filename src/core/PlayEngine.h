// The sound engine: plays the text queue one rendered character at a time on the output device.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/AudioFormat.h"
#include "core/FrequencyDrift.h"
#include "core/KeyingSchedule.h"
#include "core/NoiseTable.h"
#include "core/QsbFading.h"
#include "core/RandomGenerator.h"
#include "core/Status.h"
#include "core/ToneTable.h"
#include "platform/WaveOut.h"
#include "platform/WindowTimer.h"

namespace kelvaro {

class MorseTable;
class PlayHost;
class SpeedSettings;
class TransmitterKeying;

/// Every mode plays by appending to PlayQueue() and calling StartClick(). The first character
/// of the queue is the one being rendered or sounding.
///
///            StartClick (queue not empty)
///   Idle ------------------------------> Sounding (BufferIdle false: one character
///    ^  ^                                  |       in the device, maybe a noise tail)
///    |  |  queue empty: OnPlaybackEnded    |  buffer done / Timer1 tick (no sound card)
///    |  +------------------------------ Completion step
///    |                                     |  queue not empty: render the next character
///    +------ Stop empties the queue; the sounding character still finishes
///
///   A buffer the device refuses: the host stops the mode, the queue is dropped, the completion
///   step ends the playback at once, and the error is shown once.
///
/// Everything runs on the window thread. The device copies what it is given, so no buffer
/// of the engine is ever read by another thread.
class PlayEngine {
public:
    static constexpr int kCharacterBuffer = 1;
    static constexpr int kNoiseTailBuffer = 2;
    /// Without a sound card each character is simulated by this much silence.
    static constexpr int kNoSoundCardCharacterMs = 500;
    /// The sidetone of a held key lasts at most 5 s.
    static constexpr int kSidetoneFrames = 110250;
    static constexpr int kCharacterBufferFrames = 300000;
    static constexpr int kDefaultLevelDb = -9;
    static constexpr int kMinLevelDb = -15;
    static constexpr int kMaxLevelDb = 0;

    /// Contexts of the device errors, shown as "Err " + code + " : " + context. An open failure
    /// carries kCantOpenContext, which the window replaces by the language's can't-open text.
    static constexpr const char* kCantOpenContext = "";
    static constexpr const char* kResetContext = "WaveOutReset";
    static constexpr const char* kWriteContext = "Ecriture Carte Son StartClick";

    PlayEngine(WaveOut& output, WindowTimer& timer1, RandomGenerator& random, const MorseTable& table,
               const SpeedSettings& speed, PlayHost& host);
    PlayEngine(const PlayEngine&) = delete;
    PlayEngine& operator=(const PlayEngine&) = delete;

    /// The transmitter to key with each character; nullptr when none is set up.
    void SetTransmitter(TransmitterKeying* transmitter) { Transmitter = transmitter; }

    /// Opens the output and builds the tables. On failure the engine simulates playback
    /// (NoSoundCard) and the returned status is shown once.
    Status OpenOutput(int deviceId);
    /// After a sound-card change: reset, close and open again on the chosen device.
    Status ReopenOutput(int deviceId);
    void CloseOutput();
    /// Plays through another device from now on (the low-latency one while a key is used):
    /// the current one is reset and closed, the new one opened on the same device number.
    /// A held sidetone stops first; a character cut by the switch counts as played and the
    /// chain goes on with the next one. Nothing is opened without a sound card.
    Status UseOutput(WaveOut& output);
    const WaveOut& CurrentOutput() const { return *Output; }

    std::string& PlayQueue() { return Queue; }
    const std::string& PlayQueue() const { return Queue; }
    bool BufferIdle() const { return IsBufferIdle; }
    bool NoSoundCard() const { return NoDevice; }
    bool SidetoneActive() const { return IsSidetoneActive; }

    /// Renders and queues the first character of the queue; does nothing while one sounds.
    void StartClick();
    /// The device has finished with a buffer.
    void OnBufferDone(int bufferId);
    /// Tick of the 500 ms timer that stands in for the device without a sound card.
    void Timer1Timer();

    /// A held key: up to 5 s of continuous tone, keying the transmitter until StopSidetone.
    void StartSidetone(bool noiseOn);
    /// Cuts the tone; a line the held key keyed goes back to rest first.
    void StopSidetone();

    /// Characters of a shortcut expansion not yet taken; a replay starts from 0.
    void ResetShortcutCredit() { ShortcutCredit = 0; }

    // Level: position of the level control in dB, -15..0.
    int LevelDb() const { return Level; }
    double ToneGain() const { return Gain; }
    /// Gain 10^(dB/20); the tables are rebuilt only when the gain changes.
    void UpDownAmplitudeClick(int levelDb);
    /// 3 dB up while below 0; false when nothing changed.
    bool UpVolumeClick();
    /// 3 dB down while at -14 or above; false when nothing changed.
    bool DownVolumeClick();

    // Tone and impairments.
    double NoteFrequency() const { return Note; }
    double BaseFrequency() const { return Base; }
    /// The pitch chosen by the user: sets both the current and the base frequency.
    void SetNoteFrequency(double hz);
    bool ExamTone() const { return Exam; }
    void SetExamTone(bool on);
    int NoiseRange() const { return NoiseLevelRange; }
    int NoiseBandwidth() const { return NoiseBandwidthDivisor; }
    void SetNoise(int noiseRange, int bandwidthDivisor);
    QsbFading& Qsb() { return Fading; }
    FrequencyDrift& Drift() { return DriftState; }
    /// Random groups and files start their fading at a random point of the cycle.
    void StartQsbCycle();
    /// Switching drift on remembers the pitch to come back to.
    void SnapshotBaseFrequency() { Base = Note; }
    /// Stop and drift off: back to the base pitch when the tone drifted, direction upwards.
    void RestoreDriftedTone();

    void RebuildTables();
    const ToneTable& Tone() const { return ToneValues; }
    const NoiseTable& Noise() const { return NoiseValues; }
    /// The keying figures of the last rendered character.
    const KeyingSchedule& Keying() const { return LastKeying; }
    /// How many times the tables were rebuilt since start-up.
    int TableRebuildCount() const { return RebuildCount; }

private:
    void RenderAndQueue(std::uint8_t character);
    void QueueCharacter(int frames, bool isBlank, bool noiseOn);
    void CompletionStep(int bufferId, bool forced);
    void RunSilentCompletion();
    bool KeyingConfigured() const;
    bool ReclaimOutputFromInput();
    void ShowIfFailed(const Status& status, const char* context);
    /// Reports of the given device only, and none while the output is being switched.
    WaveOut::DoneHandler DoneHandlerFor(const WaveOut* device);

    WaveOut* Output;
    WindowTimer& Timer1;
    RandomGenerator& Random;
    const MorseTable& Table;
    const SpeedSettings& Speed;
    PlayHost& Host;
    TransmitterKeying* Transmitter = nullptr;

    std::string Queue;
    bool IsBufferIdle = true;
    bool NoDevice = false;
    bool IsSidetoneActive = false;
    /// The sidetone keyed the transmitter line (follow-the-key).
    bool HandKeyed = false;
    bool SwitchingOutput = false;
    int OpenDeviceId = WaveOut::kDefaultDevice;
    std::size_t ShortcutCredit = 0;
    bool InSilentCompletion = false;
    bool SilentCompletionPending = false;

    int Level = kDefaultLevelDb;
    double Gain = kDefaultToneGain;
    double Note = kDefaultNoteFrequencyHz;
    double Base = kDefaultNoteFrequencyHz;
    bool Exam = false;
    int NoiseLevelRange = kDefaultNoiseRange;
    int NoiseBandwidthDivisor = kDefaultNoiseBandwidth;
    QsbFading Fading;
    FrequencyDrift DriftState;

    ToneTable ToneValues;
    NoiseTable NoiseValues;
    std::vector<Sample> CharBuffer;
    std::vector<Sample> NoiseTail;
    KeyingSchedule LastKeying;
    int RebuildCount = 0;
};

}  // namespace kelvaro
