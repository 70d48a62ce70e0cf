// A sound input that records silence in real time, for runs without a sound card.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/Dispatcher.h"
#include "platform/WaveIn.h"
#include "platform/WaveInDelivery.h"

namespace kelvaro {

/// A worker thread posts a block of silence each time one block's time (about 100.7 ms) has
/// passed on the monotonic clock since Open, so the blocks keep the pace of a real device.
class NullWaveIn final : public WaveIn {
public:
    explicit NullWaveIn(Dispatcher& dispatcher) : Delivery(dispatcher) {}
    ~NullWaveIn() override { Close(); }
    NullWaveIn(const NullWaveIn&) = delete;
    NullWaveIn& operator=(const NullWaveIn&) = delete;

    /// deviceId is ignored: there is one device, and opening it cannot fail.
    Status Open(int deviceId, BlockHandler onBlock) override;
    void Close() override;
    bool IsOpen() const override { return Worker.joinable(); }
    std::string Description() const override { return "No sound input (KELVARO_AUDIO=null)"; }

private:
    void RecordLoop();

    WaveInDelivery Delivery;
    std::thread Worker;
    std::mutex Mutex;
    std::condition_variable Changed;
    bool Stopping = false;  // guarded by Mutex
};

}  // namespace kelvaro
