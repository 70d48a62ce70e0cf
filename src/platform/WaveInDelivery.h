// Carries recorded blocks from a recording thread to the window thread, and drops them once the
// recording is closed.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>

#include "core/Status.h"
#include "platform/Dispatcher.h"
#include "platform/WaveIn.h"

namespace kelvaro {

/// Each Begin starts a session with its handlers; End finishes it, and whatever was posted for
/// it and not yet delivered is dropped on arrival, so no block reaches a handler after End.
/// Begin and End on the window thread; the posts from any thread that may allocate (not a
/// real-time audio callback).
class WaveInDelivery {
public:
    explicit WaveInDelivery(Dispatcher& dispatcher) : Target(dispatcher) {}

    void Begin(WaveIn::BlockHandler onBlock, WaveIn::ErrorHandler onError);
    void End();
    /// A copy of the block reaches the session's block handler.
    void PostBlock(std::span<const std::uint8_t> frames);
    /// The session's error handler hears of it.
    void PostError(const Status& status);

private:
    struct Session {
        WaveIn::BlockHandler OnBlock;
        WaveIn::ErrorHandler OnError;
    };

    std::weak_ptr<Session> CurrentSession();

    Dispatcher& Target;
    std::mutex Mutex;
    // Written: window thread (Begin, End); read: recording thread (posts). Guarded by Mutex.
    std::shared_ptr<Session> Current;
};

}  // namespace kelvaro
