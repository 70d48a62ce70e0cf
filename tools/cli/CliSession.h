// One run of kelvaro-cli: the engine set up from the options, played to a device or a file.
#pragma once

#include <string>

#include "cli/CliOptions.h"
#include "core/Status.h"

namespace kelvaro::cli {

/// Renders exactly the frames the engine hands to the device for the text, character after
/// character (no noise tail), into a 22050 Hz stereo 16-bit WAV file.
Status RenderToWav(const CliOptions& options);

/// Writes the clean keyed tone of the text in the chosen rate, channels and bits, byte for
/// byte as the window's recorder writes it for the same text and settings.
Status RecordToWav(const CliOptions& options);

/// Plays the text in real time on the sound device (or the null device when KELVARO_AUDIO is
/// "null") and returns when the last sound has been played. info receives one line about the
/// device.
Status PlayOnDevice(const CliOptions& options, std::string& info);

}  // namespace kelvaro::cli
