// A sound input that records silence in real time, for runs without a sound card.
#include "platform/NullWaveIn.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace kelvaro {

Status NullWaveIn::Open(int /*deviceId*/, BlockHandler onBlock) {
    Close();
    Delivery.Begin(std::move(onBlock), OnError);
    {
        std::lock_guard lock(Mutex);
        Stopping = false;
    }
    Worker = std::thread([this] { RecordLoop(); });
    return Status::Success();
}

void NullWaveIn::Close() {
    if (Worker.joinable()) {
        {
            std::lock_guard lock(Mutex);
            Stopping = true;
        }
        Changed.notify_all();
        Worker.join();
    }
    Delivery.End();
}

void NullWaveIn::RecordLoop() {
    using Clock = std::chrono::steady_clock;
    const std::vector<std::uint8_t> silence(2 * static_cast<std::size_t>(kBlockFrames), 128);
    const auto start = Clock::now();
    std::int64_t blocks = 0;
    std::unique_lock lock(Mutex);
    for (;;) {
        // Block n is complete n block-lengths after the start, counted exactly in frames.
        const auto due = start + std::chrono::microseconds((blocks + 1) * kBlockFrames * 1'000'000 / kRateHz);
        if (Changed.wait_until(lock, due, [this] { return Stopping; })) {
            return;
        }
        ++blocks;
        Delivery.PostBlock(silence);
    }
}

}  // namespace kelvaro
