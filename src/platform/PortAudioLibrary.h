// One PortAudio initialisation shared by every open sound device, input and output.
#pragma once

#include <portaudio.h>

namespace kelvaro {

/// Pa_Initialize and Pa_Terminate are not thread-safe, and initialising enumerates every
/// device, which is slow: the first user initialises, the last one terminates.
PaError AcquirePortAudio();
void ReleasePortAudio();

}  // namespace kelvaro
