// A sound input for window tests: the test hands over the recorded blocks.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/WaveIn.h"

namespace kelvaro::test {

class FakeWaveIn : public WaveIn {
public:
    Status Open(int deviceId, BlockHandler onBlock) override {
        ++Opens;
        OpenedDevice = deviceId;
        if (!NextOpen.Ok()) {
            return NextOpen;
        }
        Handler = std::move(onBlock);
        Opened = true;
        return Status::Success();
    }
    void Close() override {
        Opened = false;
        Handler = nullptr;
        ++Closes;
    }
    bool IsOpen() const override { return Opened; }
    std::string Description() const override { return "fake input"; }

    /// Delivers one block as the device would, on the test's (window) thread; false when closed.
    bool Deliver(std::span<const std::uint8_t> frames) {
        if (!Opened || !Handler) {
            return false;
        }
        const BlockHandler handler = Handler;
        handler(frames);
        return true;
    }
    /// The device stops delivering, as when the sound server goes away.
    void Lose(const Status& status) {
        if (Opened && OnError) {
            OnError(status);
        }
    }

    /// What the next Open returns (success by default).
    Status NextOpen;
    int Opens = 0;
    int Closes = 0;
    int OpenedDevice = 0;

private:
    BlockHandler Handler;
    bool Opened = false;
};

}  // namespace kelvaro::test
