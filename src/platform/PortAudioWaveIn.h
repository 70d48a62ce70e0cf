// The sound input through PortAudio, where no sound server answers.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "platform/Dispatcher.h"
#include "platform/WaveIn.h"
#include "platform/WaveInDelivery.h"

namespace kelvaro {

class RecordingConverter;

/// A blocking record stream in 32-bit float at the device's own default rate, mono or stereo
/// as the device is. A reader thread takes 10 ms at a time, converts it and posts each full
/// block; Close lets the reader finish its read before the stream stops.
class PortAudioWaveIn final : public WaveIn {
public:
    explicit PortAudioWaveIn(Dispatcher& dispatcher);
    ~PortAudioWaveIn() override;
    PortAudioWaveIn(const PortAudioWaveIn&) = delete;
    PortAudioWaveIn& operator=(const PortAudioWaveIn&) = delete;

    /// deviceId is a PortAudio device index, or kDefaultDevice.
    Status Open(int deviceId, BlockHandler onBlock) override;
    void Close() override;
    bool IsOpen() const override { return Stream != nullptr; }
    std::string Description() const override;

private:
    void RecordLoop();

    WaveInDelivery Delivery;
    void* Stream = nullptr;  // a PaStream
    bool HoldsPortAudio = false;
    std::thread Reader;
    // Written: window thread; read: reader thread.
    std::atomic<bool> Stopping{false};
    // The reader thread's while it runs.
    std::unique_ptr<RecordingConverter> Converter;
    int RateHz = 0;
    int Channels = 0;
    std::string DeviceName;
};

}  // namespace kelvaro
