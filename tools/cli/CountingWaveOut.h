// A sound device wrapper that counts the buffers the device still holds, so that a run that
// plays a whole text ends after the last sound (and its noise tail) rather than at the last write.
#pragma once

#include <functional>
#include <span>
#include <string>

#include "platform/WaveOut.h"

namespace kelvaro::cli {

class CountingWaveOut : public WaveOut {
public:
    explicit CountingWaveOut(WaveOut& device) : Device(device) {}

    Status Open(int deviceId, DoneHandler onDone) override {
        return Device.Open(deviceId, [this, onDone = std::move(onDone)](int bufferId) {
            --Outstanding;
            onDone(bufferId);
            if (Outstanding == 0 && OnDrained) {
                OnDrained();
            }
        });
    }
    Status Reset() override { return Device.Reset(); }
    Status Write(int bufferId, std::span<const Sample> frames) override {
        const Status status = Device.Write(bufferId, frames);
        if (status.Ok()) {
            ++Outstanding;
        }
        return status;
    }
    void Close() override { Device.Close(); }
    bool IsOpen() const override { return Device.IsOpen(); }
    std::string Description() const override { return Device.Description(); }
    int OutputLatencyMs() const override { return Device.OutputLatencyMs(); }

    int Outstanding = 0;
    std::function<void()> OnDrained;

private:
    WaveOut& Device;
};

}  // namespace kelvaro::cli
