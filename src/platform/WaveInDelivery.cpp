// Carries recorded blocks from a recording thread to the window thread, and drops them once the
// recording is closed.
#include "platform/WaveInDelivery.h"

#include <utility>
#include <vector>

namespace kelvaro {

void WaveInDelivery::Begin(WaveIn::BlockHandler onBlock, WaveIn::ErrorHandler onError) {
    auto session = std::make_shared<Session>(Session{std::move(onBlock), std::move(onError)});
    std::lock_guard lock(Mutex);
    Current = std::move(session);
}

void WaveInDelivery::End() {
    std::shared_ptr<Session> ended;
    {
        std::lock_guard lock(Mutex);
        ended = std::move(Current);
    }
    // The session's handlers go here, on the window thread, outside the lock.
}

std::weak_ptr<WaveInDelivery::Session> WaveInDelivery::CurrentSession() {
    std::lock_guard lock(Mutex);
    return Current;
}

void WaveInDelivery::PostBlock(std::span<const std::uint8_t> frames) {
    Target.Post(
        [session = CurrentSession(), block = std::vector<std::uint8_t>(frames.begin(), frames.end())] {
            if (const auto alive = session.lock(); alive && alive->OnBlock) {
                // A copy: the handler may close the device, which ends this session.
                const WaveIn::BlockHandler onBlock = alive->OnBlock;
                onBlock(block);
            }
        });
}

void WaveInDelivery::PostError(const Status& status) {
    Target.Post([session = CurrentSession(), status] {
        if (const auto alive = session.lock(); alive && alive->OnError) {
            const WaveIn::ErrorHandler onError = alive->OnError;
            onError(status);
        }
    });
}

}  // namespace kelvaro
