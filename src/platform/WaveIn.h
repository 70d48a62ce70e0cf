// The sound input for the audio decoder: blocks of 11025 Hz 8-bit stereo frames.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "core/Status.h"

namespace kelvaro {

/// Records whatever the device offers and hands it on converted (RecordingConverter): blocks of
/// kBlockFrames frames of 8-bit unsigned stereo at 11025 frames per second, left then right,
/// 128 = silence. The blocks reach the handler given to Open on the window thread (through the
/// Dispatcher), in order and without a gap while the device keeps up; none reaches it once
/// Close has returned or the device is destroyed. All calls are made from the window thread.
class WaveIn {
public:
    using BlockHandler = std::function<void(std::span<const std::uint8_t> frames)>;
    using ErrorHandler = std::function<void(const Status& status)>;

    static constexpr int kDefaultDevice = -1;
    static constexpr int kRateHz = 11025;
    static constexpr int kBlockFrames = 1110;

    /// Contexts of the failures, shown as "Err " + code + " : " + context. An open failure
    /// carries kCantOpenContext, which the window replaces by the language's can't-open text.
    static constexpr const char* kCantOpenContext = "";
    static constexpr const char* kStartContext = "WaveInStart";
    /// The device stopped delivering while open (the server went away, the device was unplugged).
    static constexpr const char* kLostContext = "Add buffer3";

    virtual ~WaveIn() = default;

    /// Opens the device (kDefaultDevice: the system's default input) and starts recording.
    /// A device that cannot be opened fails with kCantOpenContext, one that opens but does not
    /// start with kStartContext; the device is then closed.
    virtual Status Open(int deviceId, BlockHandler onBlock) = 0;
    /// Stops recording. No block reaches the handler after this returns.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    /// The input the user chose by name (the sound server's source name); it wins over the
    /// number given to Open. Empty: the number decides.
    virtual void ChooseDevice(const std::string& /*name*/) {}
    /// One line for the user: which device, at what rate it records.
    virtual std::string Description() const = 0;
    /// Told on the window thread when an open device stops delivering (kLostContext); the
    /// device then delivers nothing more until opened again.
    void SetOnError(ErrorHandler onError) { OnError = std::move(onError); }

protected:
    ErrorHandler OnError;
};

}  // namespace kelvaro
