// A sound output that plays nothing but takes each buffer's real time, for runs without sound.
#include "platform/NullWaveOut.h"

#include <cassert>
#include <utility>

namespace kelvaro {

namespace {

std::chrono::nanoseconds FramesToDuration(std::int64_t frames) {
    return std::chrono::nanoseconds(frames * 1'000'000'000 / kFrameRateHz);
}

}  // namespace

NullWaveOut::NullWaveOut(Dispatcher& dispatcher)
    : Target(dispatcher), Handler(std::make_shared<DoneHandler>()), HandlerRef(Handler) {}

NullWaveOut::~NullWaveOut() {
    Close();
    Handler.reset();
}

Status NullWaveOut::Open(int /*deviceId*/, DoneHandler onDone) {
    Close();
    // Reports of the buffers the last Close returned may still be on their way to the window
    // thread: they reach this handler, so whoever waits for them is not left waiting.
    *Handler = std::move(onDone);
    {
        std::lock_guard lock(Mutex);
        Queue.clear();
        Stopping = false;
    }
    Worker = std::thread([this] { PlayLoop(); });
    Opened = true;
    return Status::Success();
}

Status NullWaveOut::Reset() {
    {
        std::lock_guard lock(Mutex);
        for (const auto& buffer : Queue) {
            PostDone(buffer.BufferId);
        }
        Queue.clear();
    }
    Changed.notify_all();
    return Status::Success();
}

Status NullWaveOut::Write(int bufferId, std::span<const Sample> interleavedFrames) {
    assert(interleavedFrames.size() % kChannels == 0);
    if (!Opened) {
        return Status::Failure(1, "The sound output is not open");
    }
    const auto frames = static_cast<std::int64_t>(interleavedFrames.size() / kChannels);
    {
        std::lock_guard lock(Mutex);
        if (Queue.empty()) {
            PlayStart = SteadyClock::now();
            FramesBeforeHead = 0;
        }
        Queue.push_back({bufferId, frames});
    }
    Changed.notify_all();
    return Status::Success();
}

void NullWaveOut::Close() {
    if (!Opened) {
        return;
    }
    Reset();
    {
        std::lock_guard lock(Mutex);
        Stopping = true;
    }
    Changed.notify_all();
    Worker.join();
    Opened = false;
}

bool NullWaveOut::IsOpen() const {
    return Opened;
}

std::string NullWaveOut::Description() const {
    return "No sound (KELVARO_AUDIO=null)";
}

void NullWaveOut::PlayLoop() {
    std::unique_lock lock(Mutex);
    while (!Stopping) {
        if (Queue.empty()) {
            Changed.wait(lock);
            continue;
        }
        const PendingBuffer head = Queue.front();
        const auto endsAt = PlayStart + FramesToDuration(FramesBeforeHead + head.Frames);
        if (SteadyClock::now() < endsAt) {
            Changed.wait_until(lock, endsAt);
            continue;
        }
        Queue.pop_front();
        FramesBeforeHead += head.Frames;
        PostDone(head.BufferId);
    }
}

void NullWaveOut::PostDone(int bufferId) {
    Target.Post([handler = HandlerRef, bufferId] {
        if (const auto current = handler.lock(); current && *current) {
            // A copy: the handler may open the device again, which replaces *current.
            const DoneHandler onDone = *current;
            onDone(bufferId);
        }
    });
}

}  // namespace kelvaro
