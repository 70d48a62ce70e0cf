// A sound output that plays nothing but takes each buffer's real time, for runs without sound.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/Dispatcher.h"
#include "platform/WaveOut.h"

namespace kelvaro {

/// Buffers "play" back to back on the monotonic clock: a buffer written while another is pending
/// ends its own length after the one before it; a buffer written to an idle device ends its
/// length after the Write. A worker thread reports each one done through the Dispatcher when its
/// end comes, to the handler of the latest Open (a buffer returned by Close reaches the handler
/// given when the device is opened again). Nothing is reported after the object is destroyed.
class NullWaveOut final : public WaveOut {
public:
    explicit NullWaveOut(Dispatcher& dispatcher);
    ~NullWaveOut() override;
    NullWaveOut(const NullWaveOut&) = delete;
    NullWaveOut& operator=(const NullWaveOut&) = delete;

    /// deviceId is ignored: there is only one device, and opening it cannot fail.
    Status Open(int deviceId, DoneHandler onDone) override;
    Status Reset() override;
    Status Write(int bufferId, std::span<const Sample> interleavedFrames) override;
    /// Reports every pending buffer done, as Reset does, then stops the worker thread.
    void Close() override;
    bool IsOpen() const override;
    std::string Description() const override;

private:
    using SteadyClock = std::chrono::steady_clock;

    struct PendingBuffer {
        int BufferId = 0;
        std::int64_t Frames = 0;
    };

    void PlayLoop();
    /// Called with Mutex held, so that reports leave in the order the buffers were written.
    void PostDone(int bufferId);

    Dispatcher& Target;
    /// The handler of the latest Open; posted reports hold it weakly, so that none reaches a
    /// destroyed device. Replaced and called on the window thread only.
    std::shared_ptr<DoneHandler> Handler;
    std::weak_ptr<DoneHandler> HandlerRef;
    bool Opened = false;  // window thread only
    std::thread Worker;

    std::mutex Mutex;
    std::condition_variable Changed;
    // Guarded by Mutex: written by the window thread (Write, Reset, Close) and the worker.
    std::deque<PendingBuffer> Queue;
    SteadyClock::time_point PlayStart;  // when the first of the back-to-back buffers began
    std::int64_t FramesBeforeHead = 0;  // frames played since PlayStart before the queue's head
    bool Stopping = false;
};

}  // namespace kelvaro
