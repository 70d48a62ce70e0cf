// The sound input through the sound server's own client (PulseAudio, or PipeWire's PulseAudio service).
#include "platform/PulseWaveIn.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

#include "decoding/RecordingConverter.h"

namespace kelvaro {

namespace {

/// How long Open waits for the server to answer before it gives up.
constexpr auto kConnectTimeout = std::chrono::seconds(3);

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

int ErrorCode(pa_context* context) {
    const int error = context != nullptr ? pa_context_errno(context) : 0;
    return error != 0 ? error : 1;
}

}  // namespace

PulseWaveIn::PulseWaveIn(Dispatcher& dispatcher) : Delivery(dispatcher) {}

PulseWaveIn::~PulseWaveIn() {
    Close();
}

Status PulseWaveIn::Open(int deviceId, BlockHandler onBlock) {
    Close();
    Delivery.Begin(std::move(onBlock), OnError);
    const Status status = Connect(deviceId);
    if (!status.Ok()) {
        Close();
    }
    return status;
}

Status PulseWaveIn::Connect(int deviceId) {
    Loop = pa_threaded_mainloop_new();
    if (Loop == nullptr || pa_threaded_mainloop_start(Loop) < 0) {
        return Status::Failure(1, kCantOpenContext);
    }
    LoopLock lock(Loop);
    Context = pa_context_new(pa_threaded_mainloop_get_api(Loop), "Kelvaro");
    if (Context == nullptr) {
        return Status::Failure(1, kCantOpenContext);
    }
    const auto contextSettled = [this] {
        const pa_context_state_t state = pa_context_get_state(Context);
        return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    };
    if (pa_context_connect(Context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        !WaitLocked(Loop, contextSettled) || pa_context_get_state(Context) != PA_CONTEXT_READY) {
        return Status::Failure(ErrorCode(Context), kCantOpenContext);
    }

    // The source's own rate and channels, so that the server hands its frames over untouched.
    InfoDone = false;
    SourceFound = false;
    pa_operation* query =
        !ChosenName.empty() || deviceId == kDefaultDevice
            ? pa_context_get_source_info_by_name(Context,
                                                 ChosenName.empty() ? "@DEFAULT_SOURCE@" : ChosenName.c_str(),
                                                 &PulseWaveIn::OnSourceInfo, this)
            : pa_context_get_source_info_by_index(Context, static_cast<std::uint32_t>(deviceId),
                                                  &PulseWaveIn::OnSourceInfo, this);
    if (query == nullptr) {
        return Status::Failure(ErrorCode(Context), kCantOpenContext);
    }
    const bool answered = WaitLocked(Loop, [this] { return InfoDone; });
    pa_operation_unref(query);
    if (!answered || !SourceFound) {
        return Status::Failure(ErrorCode(Context), kCantOpenContext);
    }

    const pa_sample_spec format{PA_SAMPLE_FLOAT32LE, static_cast<std::uint32_t>(SourceRateHz),
                              static_cast<std::uint8_t>(SourceChannels)};
    Converter = std::make_unique<RecordingConverter>(SourceRateHz, SourceChannels);
    Closing = false;
    Stream = pa_stream_new(Context, "Monitoring", &format, nullptr);
    if (Stream == nullptr) {
        return Status::Failure(ErrorCode(Context), kCantOpenContext);
    }
    pa_stream_set_read_callback(Stream, &PulseWaveIn::OnReadable, this);
    pa_buffer_attr buffering{};
    buffering.maxlength = static_cast<std::uint32_t>(-1);
    buffering.tlength = static_cast<std::uint32_t>(-1);
    buffering.prebuf = static_cast<std::uint32_t>(-1);
    buffering.minreq = static_cast<std::uint32_t>(-1);
    buffering.fragsize = static_cast<std::uint32_t>(pa_usec_to_bytes(kFragmentMs * 1000, &format));
    const auto streamSettled = [this] {
        const pa_stream_state_t state = pa_stream_get_state(Stream);
        return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
    };
    if (pa_stream_connect_record(Stream, SourceName.c_str(), &buffering, PA_STREAM_ADJUST_LATENCY) < 0 ||
        !WaitLocked(Loop, streamSettled) || pa_stream_get_state(Stream) != PA_STREAM_READY) {
        return Status::Failure(ErrorCode(Context), kStartContext);
    }
    pa_stream_set_state_callback(Stream, &PulseWaveIn::OnStreamState, this);
    return Status::Success();
}

void PulseWaveIn::Close() {
    if (Loop != nullptr) {
        {
            LoopLock lock(Loop);
            Closing = true;
            if (Stream != nullptr) {
                pa_stream_set_read_callback(Stream, nullptr, nullptr);
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
    }
    // The main loop thread has ended: blocks posted before are dropped on arrival.
    Delivery.End();
    Converter.reset();
    SourceName.clear();
    SourceRateHz = 0;
    SourceChannels = 0;
}

std::string PulseWaveIn::Description() const {
    if (!IsOpen()) {
        return "PulseAudio: not open";
    }
    return "PulseAudio: " + SourceName + ", " + std::to_string(SourceRateHz) + " Hz " +
           (SourceChannels == 1 ? "mono" : "stereo");
}

void PulseWaveIn::OnSourceInfo(pa_context* /*context*/, const pa_source_info* info, int last, void* self) {
    auto* device = static_cast<PulseWaveIn*>(self);
    if (last != 0 || info == nullptr) {
        device->InfoDone = true;
        return;
    }
    device->SourceFound = true;
    device->SourceName = info->name != nullptr ? info->name : "";
    device->SourceRateHz = static_cast<int>(info->sample_spec.rate);
    device->SourceChannels = std::clamp(static_cast<int>(info->sample_spec.channels), 1, 2);
}

void PulseWaveIn::OnStreamState(pa_stream* stream, void* self) {
    auto* device = static_cast<PulseWaveIn*>(self);
    if (!device->Closing && !PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) {
        device->Closing = true;  // nothing more will come
        device->Delivery.PostError(Status::Failure(ErrorCode(device->Context), kLostContext));
    }
}

void PulseWaveIn::OnReadable(pa_stream* /*stream*/, std::size_t /*bytes*/, void* self) {
    static_cast<PulseWaveIn*>(self)->TakeRecorded();
}

void PulseWaveIn::TakeRecorded() {
    const RecordingConverter::BlockHandler post = [this](std::span<const std::uint8_t> block) {
        Delivery.PostBlock(block);
    };
    while (!Closing && pa_stream_readable_size(Stream) > 0) {
        const void* data = nullptr;
        std::size_t bytes = 0;
        if (pa_stream_peek(Stream, &data, &bytes) < 0 || bytes == 0) {
            return;
        }
        const std::size_t samples = bytes / sizeof(float);
        if (data == nullptr) {
            Hole.assign(samples, 0.0F);  // frames the server lost: silence keeps the time
            Converter->Push(Hole, post);
        } else {
            Converter->Push(std::span<const float>(static_cast<const float*>(data), samples), post);
        }
        pa_stream_drop(Stream);
    }
}

}  // namespace kelvaro
