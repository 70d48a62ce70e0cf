// kelvaro-cli decode: the Morse heard in a WAV file, through the program's own audio decoder.
#pragma once

#include <string>

#include "cli/CliOptions.h"
#include "core/Status.h"

namespace kelvaro::cli {

/// Reads options.InputPath, converts it as the recording device's sound is converted, and
/// decodes the chosen channel at options.Threshold. At the end of the file silence follows
/// until the last character is printed. text receives what the monitor would show, in the
/// program's 8-bit codes, without the blanks at its end.
Status DecodeWav(const CliOptions& options, std::string& text);

}  // namespace kelvaro::cli
