// The sound output through the sound server's own client (PulseAudio, or PipeWire's PulseAudio service).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Dispatcher.h"
#include "platform/WaveOut.h"

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

namespace kelvaro {

/// One playback stream that never stops while the device is open: the server asks for frames
/// whenever its buffer falls below the target latency, and the stream hands it the written
/// buffers in order, or silence when none is queued. The server's buffer is kept full to the
/// target, so the sound goes on without a break even when this process is not scheduled for
/// most of that time, and a character written late only lengthens the silence before it.
/// A buffer written right after the report of the one before (the play engine's character
/// after character) follows it frame for frame: the silence after a buffer that ran out is
/// only handed over when the server asks again and nothing new has come.
///
///   Write --> [queue] --server asks, last frame handed over--> report (Dispatcher::Post)
///   Reset --> every queued buffer reported at once, in order
///
/// A buffer is reported done when the server holds its last frame, about one output latency
/// before it is heard. The stream's own thread (the client's main loop) does the handing over;
/// every call comes from the window thread. Reports reach the handler of the latest Open, so
/// a buffer still pending when the device is reopened is reported to the new handler; none
/// reaches a destroyed device.
///
/// A sidetone output (a short target latency) that has played nothing but silence for a while
/// starts a new buffer at the server's play position, over the silence it still holds: a key's
/// tone then waits only for the sound card's own latency, not for the stream's buffer too.
class PulseWaveOut final : public WaveOut {
public:
    /// The sound kept queued in the server for practice playback, where continuity matters and
    /// delay hardly does. With both cores busy, 150 ms still let the odd character come so late
    /// that the gap before it grew; with the server sharing less than 100 ms between its buffer
    /// and ours, tones had holes.
    static constexpr double kPracticeLatencyS = 0.250;
    /// What a hand-keyed sidetone asks, to start within about 20 ms of the key.
    static constexpr double kSidetoneLatencyS = 0.020;
    /// How little sound the server may hold before silence fills in for a late buffer.
    static constexpr std::uint64_t kWaitMarginUs = 40000;

    /// targetLatencyS: the longest delay from a frame handed over to the speaker; the server
    /// keeps that much sound queued, shared between its own buffer and the stream's.
    explicit PulseWaveOut(Dispatcher& dispatcher, double targetLatencyS = kPracticeLatencyS);
    ~PulseWaveOut() override;
    PulseWaveOut(const PulseWaveOut&) = delete;
    PulseWaveOut& operator=(const PulseWaveOut&) = delete;

    /// True when a sound server answers right now; never starts one.
    static bool ServerReachable();

    /// deviceId is the index of one of the server's outputs, or kDefaultDevice for the server's
    /// default. A failure's code is the client library's error number, or 1.
    Status Open(int deviceId, DoneHandler onDone) override;
    /// Sound the server already holds still plays (at most one output latency of it).
    Status Reset() override;
    Status Write(int bufferId, std::span<const Sample> interleavedFrames) override;
    /// Reports every pending buffer done as Reset does, lets the sound already handed over be
    /// heard (at most 0.5 s), then disconnects.
    void Close() override;
    bool IsOpen() const override;
    std::string Description() const override;
    void ChooseDevice(const std::string& name) override { ChosenName = name; }
    int OutputLatencyMs() const override;

    /// The delay from a frame handed to the server to the speaker, as last measured, in
    /// seconds; 0 when not open or not yet known.
    double OutputLatencyS() const;

    /// Told when the first frames of a written buffer have been handed to the server, with the
    /// time on CLOCK_MONOTONIC and how long the first of them will take to be heard (for
    /// measuring how soon a sound sounds). Set it before Open; it runs on the stream's thread or
    /// the writer's, with the device locked.
    using HandedOverHandler =
        std::function<void(int bufferId, std::int64_t nowNs, std::int64_t firstFrameDelayUs)>;
    void SetOnFirstFramesHandedOver(HandedOverHandler handler) { OnHandedOver = std::move(handler); }

private:
    struct Pending {
        int BufferId = 0;
        std::vector<Sample> Samples;
        std::size_t TakenSamples = 0;
    };

    static void OnStreamState(pa_stream* stream, void* self);
    static void OnWritable(pa_stream* stream, std::size_t bytes, void* self);
    static void OnTimingUpdated(pa_stream* stream, int success, void* self);

    Status Connect(int deviceId);
    void Disconnect();
    /// Main loop lock held. Hands the server up to bytes of the queued buffers. serverAsked:
    /// the server asked for them, and gets silence where no buffer is queued; otherwise (a
    /// Write) only queued frames are handed over.
    void Feed(std::size_t bytes, bool serverAsked);
    /// Main loop lock held.
    void PostDone(int bufferId);
    /// Main loop lock held: reports every queued buffer done.
    void ReportQueued();
    static std::int64_t MonotonicNowNs();

    Dispatcher& Target;
    const double TargetLatencyS;
    /// The handler of the latest Open; posted reports hold it weakly, so that none reaches a
    /// destroyed device. Replaced and called on the window thread only.
    std::shared_ptr<DoneHandler> Handler;

    pa_threaded_mainloop* Loop = nullptr;
    pa_context* Context = nullptr;
    pa_stream* Stream = nullptr;
    std::string DeviceName;
    /// The device asked for by name; empty: by number.
    std::string ChosenName;

    // Guarded by the main loop lock.
    std::deque<Pending> Queue;
    bool Closing = false;
    /// The last queued buffer was just handed over: until the server asks again, its room is
    /// kept for the next buffer rather than filled with silence.
    bool WaitingForNext = false;
    /// The next write starts at the server's play position, over the silence queued there (a
    /// sidetone starting after silence).
    bool WriteAtPlayPosition = false;
    /// The server closed the stream (it quit or the output went away): Write refuses buffers.
    bool Lost = false;
    bool TimingUpdated = false;
    /// When the last frame of sound handed over will have been heard, on CLOCK_MONOTONIC.
    std::int64_t TailEndsAtNs = 0;
    std::int64_t LatencyUs = 0;
    HandedOverHandler OnHandedOver;
};

}  // namespace kelvaro
