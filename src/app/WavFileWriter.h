// Writes a PCM WAV file so that it either appears complete or not at all.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "app/OutputFile.h"
#include "core/Status.h"

namespace kelvaro {

/// The frames go through OutputFile. A file is written under a temporary name and Commit fills
/// in the 44-byte header's sizes before it takes the target's name; destroyed without Commit,
/// nothing of it stays. A device, a pipe or standard output ("-") cannot be rewound, so the
/// frames are held until Commit and then sent after a header with the right sizes.
class WavFileWriter {
public:
    WavFileWriter() = default;
    WavFileWriter(const WavFileWriter&) = delete;
    WavFileWriter& operator=(const WavFileWriter&) = delete;
    ~WavFileWriter();

    /// framesPerSecond 11025 or 22050, channels 1 or 2, bitsPerSample 8 or 16; path "-" is
    /// standard output.
    Status Open(const std::string& path, int framesPerSecond, int channels, int bitsPerSample);
    /// 16-bit samples, interleaved when stereo.
    Status Append(std::span<const std::int16_t> samples);
    /// 8-bit unsigned samples, interleaved when stereo.
    Status AppendBytes(std::span<const std::uint8_t> bytes);
    Status Commit();
    std::uint32_t DataBytes() const { return DataSize; }

private:
    std::string Header() const;

    OutputFile File;
    /// The frames of a target that cannot be rewound, sent at Commit.
    std::string Held;
    int FramesPerSecond = 0;
    int Channels = 0;
    int BitsPerSample = 0;
    std::uint32_t DataSize = 0;
};

}  // namespace kelvaro
