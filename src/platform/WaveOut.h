// The sound output device: buffers of 16-bit stereo frames at 22050 frames per second.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>

#include "core/AudioFormat.h"
#include "core/Status.h"

namespace kelvaro {

/// Buffers play one after another in the order written. Each written buffer is reported done
/// exactly once, through the handler given to Open, on the window thread (through the
/// Dispatcher): when the device has taken its last frame, or when Reset returns it early.
/// All calls are made from the window thread.
class WaveOut {
public:
    /// bufferId is the caller's own tag, given back when the buffer is done.
    using DoneHandler = std::function<void(int bufferId)>;

    static constexpr int kDefaultDevice = -1;

    virtual ~WaveOut() = default;

    /// The device the next Open uses, by its SoundDevice name; empty: deviceId decides. A named
    /// device that is gone makes Open fail.
    virtual void ChooseDevice(const std::string& /*name*/) {}
    /// Opens the device (kDefaultDevice: the system's default output).
    virtual Status Open(int deviceId, DoneHandler onDone) = 0;
    /// Stops at once; every pending buffer is reported done.
    virtual Status Reset() = 0;
    /// Queues a copy of the frames; the caller may reuse its memory as soon as this returns.
    virtual Status Write(int bufferId, std::span<const Sample> interleavedFrames) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    /// One line for the user: which device, and the output latency it gives.
    virtual std::string Description() const = 0;
    /// How long a frame just written takes to reach the speaker, in ms; 0 when not open or not
    /// known. Cheap enough to ask once per character.
    virtual int OutputLatencyMs() const { return 0; }
};

}  // namespace kelvaro
