// The sound output through PortAudio: written buffers play one after another at low latency.
#pragma once

#include <cmath>
#include <memory>
#include <string>
#include <thread>

#include "platform/Dispatcher.h"
#include "platform/WaveOut.h"

namespace kelvaro {

/// Write copies the frames into one of kSlotCount slots of kSlotFrames frames each, allocated at
/// Open, so the audio callback never allocates. The callback takes frames from the slots in
/// the order written and plays silence when none is queued; it never waits for the window
/// thread (when a Write or Reset holds the slots at that instant it plays one period of
/// silence instead). When it has taken a slot's last frame the slot is free again and a
/// completion thread posts the report through the Dispatcher.
///
///   Write --> [slot queued] --callback takes last frame--> [slot free] + id to report
///   Reset --> every queued slot free at once             --> ids to report, in order
///   completion thread: ids to report --> Dispatcher::Post --> DoneHandler (window thread)
///
/// Each written buffer is reported exactly once, in the order written, to the handler of the
/// latest Open: a buffer returned by Close reaches the handler given when the device is opened
/// again. Reports still waiting on the window thread are dropped when the device is destroyed.
class PortAudioWaveOut final : public WaveOut {
public:
    static constexpr int kSlotCount = 4;
    /// The longest buffer Write takes: 13.6 s.
    static constexpr int kSlotFrames = 300000;
    /// The latency asked of the device for practice playback, unless it cannot go that low:
    /// enough for ALSA through a sound server's plugin to play without underruns on a busy machine.
    static constexpr double kPracticeLatencyS = 0.100;
    /// The latency a hand-keyed sidetone needs.
    static constexpr double kSidetoneLatencyS = 0.010;

    explicit PortAudioWaveOut(Dispatcher& dispatcher, double wantedLatencyS = kPracticeLatencyS);
    ~PortAudioWaveOut() override;
    PortAudioWaveOut(const PortAudioWaveOut&) = delete;
    PortAudioWaveOut& operator=(const PortAudioWaveOut&) = delete;

    /// deviceId is a PortAudio device index, or kDefaultDevice. A failure's code is PortAudio's
    /// (negative) error code, or 1 when PortAudio reported none.
    Status Open(int deviceId, DoneHandler onDone) override;
    /// Before it returns, the callback has stopped taking frames from any written buffer and
    /// every slot is free; the reports follow on the window thread, in order.
    Status Reset() override;
    /// Fails when the buffer is longer than kSlotFrames or every slot is in use.
    Status Write(int bufferId, std::span<const Sample> interleavedFrames) override;
    /// Stops the stream, reports every pending buffer done as Reset does, and joins the
    /// completion thread.
    void Close() override;
    bool IsOpen() const override;
    std::string Description() const override;
    void ChooseDevice(const std::string& name) override { ChosenName = name; }
    int OutputLatencyMs() const override {
        return IsOpen() ? static_cast<int>(std::lround(LatencyS * 1000.0)) : 0;
    }

    /// The output latency the stream reported when it started, in seconds; 0 when not open.
    double OutputLatencyS() const { return LatencyS; }

private:
    struct Shared;

    void CompletionLoop();

    Dispatcher& Target;
    /// What the audio callback, the completion thread and the window thread share.
    std::unique_ptr<Shared> Core;
    const double WantedLatencyS;
    /// The handler of the latest Open; posted reports hold it weakly, so that none reaches a
    /// destroyed device. Replaced and called on the window thread only.
    std::shared_ptr<DoneHandler> Handler;
    std::weak_ptr<DoneHandler> HandlerRef;
    std::thread Completer;
    void* Stream = nullptr;  // a PaStream; window thread only
    bool HoldsPortAudio = false;
    std::string DeviceName;
    /// The device asked for by name; empty: by number.
    std::string ChosenName;
    double LatencyS = 0.0;
};

}  // namespace kelvaro
