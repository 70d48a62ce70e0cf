// Chooses the sound output: the system's through PortAudio, or none when the environment asks.
#pragma once

#include <memory>

#include "platform/Dispatcher.h"
#include "platform/WaveOut.h"

namespace kelvaro {

/// A NullWaveOut when the environment variable KELVARO_AUDIO is "null" (headless runs and tests
/// that must not make a sound), otherwise a PortAudioWaveOut. Reports go through dispatcher,
/// which must outlive the device.
std::unique_ptr<WaveOut> CreateWaveOut(Dispatcher& dispatcher);

}  // namespace kelvaro
