// Chooses the sound output: the sound server's own client, PortAudio over ALSA, or none.
#pragma once

#include <memory>

#include "platform/Dispatcher.h"
#include "platform/SoundDeviceList.h"
#include "platform/WaveOut.h"

namespace kelvaro {

/// What the sound is for, which sets how much the device buffers.
enum class WaveOutUse {
    /// Practice playback: a continuous stream matters, a delay of 0.1 s does not.
    Practice,
    /// A hand-keyed sidetone: the tone must start within about 20 ms of the key.
    Sidetone,
};

/// The environment variable KELVARO_AUDIO chooses: "null" a NullWaveOut (headless runs and tests
/// that must not make a sound), "pulse" the sound server's client, "portaudio" PortAudio.
/// Otherwise the sound server's client when a server answers (PulseAudio, or PipeWire's
/// PulseAudio service), else PortAudio over ALSA. Reports go through dispatcher, which must
/// outlive the device.
std::unique_ptr<WaveOut> CreateWaveOut(Dispatcher& dispatcher, WaveOutUse use = WaveOutUse::Practice);

/// The device lists of the backend CreateWaveOut chooses (empty lists for the null device).
std::unique_ptr<SoundDeviceList> CreateSoundDeviceList();

}  // namespace kelvaro
