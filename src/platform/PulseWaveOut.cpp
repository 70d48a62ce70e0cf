// The sound output through the sound server's own client (PulseAudio, or PipeWire's PulseAudio service).
#include "platform/PulseWaveOut.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <cassert>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <thread>
#include <utility>

namespace kelvaro {

namespace {

constexpr pa_sample_spec kSpec{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(kFrameRateHz),
                               static_cast<std::uint8_t>(kChannels)};

/// How long Open waits for the server to answer before it gives up.
constexpr auto kConnectTimeout = std::chrono::seconds(3);
/// Close waits for the sound already handed over at most this long.
constexpr std::int64_t kLongestTailNs = 500'000'000;

/// Holds the main loop's lock for a scope.
class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* loop) : Loop(loop) { pa_threaded_mainloop_lock(Loop); }
    ~LoopLock() { pa_threaded_mainloop_unlock(Loop); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    pa_threaded_mainloop* Loop;
};

/// With the main loop's lock held: lets the loop run until done() holds or the time is up.
bool WaitLocked(pa_threaded_mainloop* loop, const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + kConnectTimeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        pa_threaded_mainloop_unlock(loop);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        pa_threaded_mainloop_lock(loop);
    }
    return true;
}

bool ContextSettled(pa_context* context) {
    const pa_context_state_t state = pa_context_get_state(context);
    return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
}

bool StreamSettled(pa_stream* stream) {
    const pa_stream_state_t state = pa_stream_get_state(stream);
    return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
}

Status Failure(pa_context* context, const std::string& what) {
    const int error = context != nullptr ? pa_context_errno(context) : 0;
    if (error == 0) {
        return Status::Failure(1, what);
    }
    return Status::Failure(error, what + ": " + pa_strerror(error));
}

}  // namespace

PulseWaveOut::PulseWaveOut(Dispatcher& dispatcher, double targetLatencyS)
    : Target(dispatcher), TargetLatencyS(targetLatencyS), Handler(std::make_shared<DoneHandler>()) {}

PulseWaveOut::~PulseWaveOut() {
    Close();
    Handler.reset();
}

bool PulseWaveOut::ServerReachable() {
    pa_threaded_mainloop* loop = pa_threaded_mainloop_new();
    if (loop == nullptr) {
        return false;
    }
    if (pa_threaded_mainloop_start(loop) < 0) {
        pa_threaded_mainloop_free(loop);
        return false;
    }
    bool ready = false;
    {
        LoopLock lock(loop);
        pa_context* context = pa_context_new(pa_threaded_mainloop_get_api(loop), "Kelvaro");
        if (context != nullptr) {
            if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
                WaitLocked(loop, [context] { return ContextSettled(context); });
                ready = pa_context_get_state(context) == PA_CONTEXT_READY;
                pa_context_disconnect(context);
            }
            pa_context_unref(context);
        }
    }
    pa_threaded_mainloop_stop(loop);
    pa_threaded_mainloop_free(loop);
    return ready;
}

Status PulseWaveOut::Open(int deviceId, DoneHandler onDone) {
    Close();
    // Reports of the buffers the last Close returned may still be on their way to the window
    // thread: they reach this handler, so whoever waits for them is not left waiting.
    *Handler = std::move(onDone);
    const Status connected = Connect(deviceId);
    if (!connected.Ok()) {
        Disconnect();
    }
    return connected;
}

Status PulseWaveOut::Connect(int deviceId) {
    Loop = pa_threaded_mainloop_new();
    if (Loop == nullptr || pa_threaded_mainloop_start(Loop) < 0) {
        return Status::Failure(1, "Cannot start the sound server client");
    }
    LoopLock lock(Loop);
    Context = pa_context_new(pa_threaded_mainloop_get_api(Loop), "Kelvaro");
    if (Context == nullptr) {
        return Status::Failure(1, "Cannot start the sound server client");
    }
    if (pa_context_connect(Context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        !WaitLocked(Loop, [this] { return ContextSettled(Context); }) ||
        pa_context_get_state(Context) != PA_CONTEXT_READY) {
        return Failure(Context, "Cannot reach the sound server");
    }

    Stream = pa_stream_new(Context, "Morse", &kSpec, nullptr);
    if (Stream == nullptr) {
        return Failure(Context, "Cannot create a sound stream");
    }
    pa_stream_set_write_callback(Stream, &PulseWaveOut::OnWritable, this);
    pa_buffer_attr buffering{};
    buffering.maxlength = static_cast<std::uint32_t>(-1);
    buffering.tlength =
        static_cast<std::uint32_t>(pa_usec_to_bytes(static_cast<pa_usec_t>(TargetLatencyS * 1e6), &kSpec));
    buffering.prebuf = static_cast<std::uint32_t>(-1);
    buffering.minreq = static_cast<std::uint32_t>(-1);
    buffering.fragsize = static_cast<std::uint32_t>(-1);
    // The target is the stream's own buffer, kept full by the server's requests: a busy machine
    // may keep this process from running for that long before the sound runs dry.
    const auto flags =
        static_cast<pa_stream_flags_t>(PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_INTERPOLATE_TIMING);
    const std::string sink =
        !ChosenName.empty() ? ChosenName : (deviceId == kDefaultDevice ? "" : std::to_string(deviceId));
    if (pa_stream_connect_playback(Stream, sink.empty() ? nullptr : sink.c_str(), &buffering, flags, nullptr,
                                   nullptr) < 0 ||
        !WaitLocked(Loop, [this] { return StreamSettled(Stream); }) ||
        pa_stream_get_state(Stream) != PA_STREAM_READY) {
        return Failure(Context, "Cannot open sound output " + (sink.empty() ? "(default)" : sink));
    }
    pa_stream_set_state_callback(Stream, &PulseWaveOut::OnStreamState, this);
    if (const char* name = pa_stream_get_device_name(Stream); name != nullptr) {
        DeviceName = name;
    }

    // The first frames are handed over as soon as the stream is ready; the latency is known
    // once the server has said how far it got with them.
    TimingUpdated = false;
    if (pa_operation* update = pa_stream_update_timing_info(Stream, &PulseWaveOut::OnTimingUpdated, this);
        update != nullptr) {
        WaitLocked(Loop, [this] { return TimingUpdated; });
        pa_operation_unref(update);
    }
    pa_usec_t latencyUs = 0;
    int negative = 0;
    if (pa_stream_get_latency(Stream, &latencyUs, &negative) == 0 && negative == 0) {
        LatencyUs = static_cast<std::int64_t>(latencyUs);
    }
    return Status::Success();
}

void PulseWaveOut::Disconnect() {
    if (Loop == nullptr) {
        return;
    }
    {
        LoopLock lock(Loop);
        if (Stream != nullptr) {
            pa_stream_set_write_callback(Stream, nullptr, nullptr);
            pa_stream_set_state_callback(Stream, nullptr, nullptr);
            pa_stream_disconnect(Stream);
            pa_stream_unref(Stream);
            Stream = nullptr;
        }
        if (Context != nullptr) {
            pa_context_disconnect(Context);
            pa_context_unref(Context);
            Context = nullptr;
        }
    }
    pa_threaded_mainloop_stop(Loop);
    pa_threaded_mainloop_free(Loop);
    Loop = nullptr;
    Queue.clear();
    Closing = false;
    Lost = false;
    WaitingForNext = false;
    TailEndsAtNs = 0;
    LatencyUs = 0;
    DeviceName.clear();
}

Status PulseWaveOut::Reset() {
    if (Loop == nullptr) {
        return Status::Success();
    }
    LoopLock lock(Loop);
    ReportQueued();
    return Status::Success();
}

Status PulseWaveOut::Write(int bufferId, std::span<const Sample> interleavedFrames) {
    assert(interleavedFrames.size() % kChannels == 0);
    if (!IsOpen()) {
        return Status::Failure(1, "The sound output is not open");
    }
    Pending buffer{bufferId, std::vector<Sample>(interleavedFrames.begin(), interleavedFrames.end()), 0};
    LoopLock lock(Loop);
    if (Lost) {
        return Status::Failure(1, "The sound server closed the sound output");
    }
    // After silence, a key's tone may replace the silence queued ahead of it: nothing of ours
    // is left to be heard (the last sound has ended), so nothing is cut.
    WriteAtPlayPosition = TargetLatencyS <= kSidetoneLatencyS && Queue.empty() && !WaitingForNext &&
                          MonotonicNowNs() >= TailEndsAtNs;
    Queue.push_back(std::move(buffer));
    if (WriteAtPlayPosition) {
        const pa_buffer_attr* buffering = pa_stream_get_buffer_attr(Stream);
        if (buffering != nullptr) {
            Feed(buffering->tlength, false);
        }
        WriteAtPlayPosition = false;
    }
    // Whatever room the server has now is filled at once, so that a character written in
    // answer to the report of the one before follows it without a gap.
    if (const std::size_t writable = pa_stream_writable_size(Stream);
        writable != static_cast<std::size_t>(-1)) {
        Feed(writable, false);
    }
    return Status::Success();
}

void PulseWaveOut::Close() {
    if (Loop == nullptr) {
        return;
    }
    std::int64_t tailEndsAtNs = 0;
    {
        LoopLock lock(Loop);
        Closing = true;
        ReportQueued();
        tailEndsAtNs = TailEndsAtNs;
    }
    // A buffer is reported done when the server holds its last frame, one output latency before
    // it is heard; disconnecting at once would clip the last sound.
    const std::int64_t waitNs = std::min(tailEndsAtNs - MonotonicNowNs(), kLongestTailNs);
    if (waitNs > 0) {
        std::this_thread::sleep_for(std::chrono::nanoseconds(waitNs));
    }
    Disconnect();
}

bool PulseWaveOut::IsOpen() const {
    return Stream != nullptr;
}

std::string PulseWaveOut::Description() const {
    if (!IsOpen()) {
        return "PulseAudio: not open";
    }
    char latency[32];
    std::snprintf(latency, sizeof latency, "%.1f", OutputLatencyS() * 1000.0);
    return "PulseAudio: " + DeviceName + ", output latency " + latency + " ms";
}

int PulseWaveOut::OutputLatencyMs() const {
    return static_cast<int>(std::lround(OutputLatencyS() * 1000.0));
}

double PulseWaveOut::OutputLatencyS() const {
    if (Loop == nullptr) {
        return 0.0;
    }
    LoopLock lock(Loop);
    return static_cast<double>(LatencyUs) / 1e6;
}

void PulseWaveOut::OnStreamState(pa_stream* stream, void* self) {
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) {
        // Nothing will be taken from the queue any more: whoever waits for a buffer hears of it now.
        auto* device = static_cast<PulseWaveOut*>(self);
        device->Lost = true;
        device->ReportQueued();
    }
}

void PulseWaveOut::OnWritable(pa_stream* /*stream*/, std::size_t bytes, void* self) {
    static_cast<PulseWaveOut*>(self)->Feed(bytes, true);
}

void PulseWaveOut::OnTimingUpdated(pa_stream* /*stream*/, int /*success*/, void* self) {
    static_cast<PulseWaveOut*>(self)->TimingUpdated = true;
}

void PulseWaveOut::Feed(std::size_t bytes, bool serverAsked) {
    if (serverAsked && WaitingForNext) {
        // The next buffer has not come yet. While the server still holds more than a safety
        // margin of sound, it is waited for (the server asks again as it plays on), so a
        // character handed over late on a busy machine still follows its neighbour without a
        // longer gap; only then does silence fill in.
        const pa_buffer_attr* buffering = pa_stream_get_buffer_attr(Stream);
        const std::size_t marginBytes = pa_usec_to_bytes(kWaitMarginUs, &kSpec);
        if (buffering != nullptr && buffering->tlength > bytes + marginBytes) {
            return;
        }
        WaitingForNext = false;
    }
    while (bytes >= kBytesPerFrame) {
        void* data = nullptr;
        std::size_t chunkBytes = bytes;
        if (pa_stream_begin_write(Stream, &data, &chunkBytes) < 0 || data == nullptr) {
            return;
        }
        chunkBytes -= chunkBytes % kBytesPerFrame;
        if (chunkBytes == 0) {
            pa_stream_cancel_write(Stream);
            return;
        }
        auto* output = static_cast<Sample*>(data);
        const std::size_t chunkSamples = chunkBytes / sizeof(Sample);
        std::size_t filled = 0;
        int startedBuffer = -1;
        while (!Closing && !Queue.empty() && filled < chunkSamples) {
            WaitingForNext = false;
            Pending& head = Queue.front();
            const std::size_t take = std::min(chunkSamples - filled, head.Samples.size() - head.TakenSamples);
            if (take > 0 && head.TakenSamples == 0 && startedBuffer < 0) {
                startedBuffer = head.BufferId;
            }
            if (take > 0) {
                std::memcpy(output + filled, head.Samples.data() + head.TakenSamples, take * sizeof(Sample));
            }
            filled += take;
            head.TakenSamples += take;
            if (head.TakenSamples == head.Samples.size()) {
                PostDone(head.BufferId);
                Queue.pop_front();
                WaitingForNext = Queue.empty();
            }
        }
        const bool soundWritten = filled > 0;
        if (filled < chunkSamples && (WaitingForNext || !serverAsked)) {
            // The next buffer usually follows within a millisecond of the report: it goes on
            // right after this one, so the gap between characters keeps its length. The server
            // still holds a full buffer, so waiting for it cannot starve the stream.
            if (filled == 0) {
                pa_stream_cancel_write(Stream);
                return;
            }
            chunkBytes = filled * sizeof(Sample);
            bytes = chunkBytes;
        }
        std::fill(output + filled, output + chunkBytes / sizeof(Sample), Sample{0});
        const bool atPlayPosition = WriteAtPlayPosition;
        WriteAtPlayPosition = false;
        if (pa_stream_write(Stream, data, chunkBytes, nullptr, 0,
                            atPlayPosition ? PA_SEEK_RELATIVE_ON_READ : PA_SEEK_RELATIVE) < 0) {
            return;
        }
        bytes -= chunkBytes;
        const std::int64_t chunkUs =
            static_cast<std::int64_t>(chunkBytes / kBytesPerFrame) * 1'000'000 / kFrameRateHz;

        pa_usec_t latencyUs = 0;
        int negative = 0;
        if (atPlayPosition) {
            // The chunk starts where the server plays from: what it holds ahead is this chunk.
            const pa_timing_info* timing = pa_stream_get_timing_info(Stream);
            LatencyUs = chunkUs + (timing != nullptr ? static_cast<std::int64_t>(timing->sink_usec) : 0);
        } else if (pa_stream_get_latency(Stream, &latencyUs, &negative) == 0 && negative == 0) {
            LatencyUs = static_cast<std::int64_t>(latencyUs);
        }
        if (startedBuffer >= 0 && OnHandedOver) {
            OnHandedOver(startedBuffer, MonotonicNowNs(), std::max<std::int64_t>(0, LatencyUs - chunkUs));
        }
        if (soundWritten) {
            // The latency counts to the last frame just written; the sound ends before the
            // silence that follows it in this chunk.
            const auto silenceAfterUs =
                static_cast<std::int64_t>((chunkBytes / sizeof(Sample) - filled) / kChannels) * 1'000'000 /
                kFrameRateHz;
            TailEndsAtNs = MonotonicNowNs() + (LatencyUs - silenceAfterUs) * 1000;
        }
    }
}

void PulseWaveOut::PostDone(int bufferId) {
    Target.Post([handler = std::weak_ptr<DoneHandler>(Handler), bufferId] {
        if (const auto current = handler.lock(); current && *current) {
            // A copy: the handler may open the device again, which replaces *current.
            const DoneHandler onDone = *current;
            onDone(bufferId);
        }
    });
}

void PulseWaveOut::ReportQueued() {
    for (const Pending& buffer : Queue) {
        PostDone(buffer.BufferId);
    }
    Queue.clear();
}

std::int64_t PulseWaveOut::MonotonicNowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

}  // namespace kelvaro
