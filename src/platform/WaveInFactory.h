// Chooses the sound input: the sound server's own client, PortAudio over ALSA, or none.
#pragma once

#include <memory>

#include "platform/Dispatcher.h"
#include "platform/WaveIn.h"

namespace kelvaro {

/// The environment variable KELVARO_AUDIO chooses as for the output: "null" a NullWaveIn,
/// "pulse" the sound server's client, "portaudio" PortAudio; otherwise the sound server's client
/// when a server answers, else PortAudio over ALSA. Blocks go through dispatcher, which must
/// outlive the device.
std::unique_ptr<WaveIn> CreateWaveIn(Dispatcher& dispatcher);

}  // namespace kelvaro
