// Writes a PCM WAV file so that it either appears complete or not at all.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

#include "core/Status.h"

namespace kelvaro {

/// The frames go to a temporary file beside the target; Commit fills in the 44-byte header's
/// sizes and renames it over the target. Destroyed without Commit, it removes the temporary
/// file, so a failed or interrupted write never leaves a file that claims to be complete.
class WavFileWriter {
public:
    WavFileWriter() = default;
    WavFileWriter(const WavFileWriter&) = delete;
    WavFileWriter& operator=(const WavFileWriter&) = delete;
    ~WavFileWriter();

    /// framesPerSecond 11025 or 22050, channels 1 or 2, bitsPerSample 8 or 16.
    Status Open(const std::string& path, int framesPerSecond, int channels, int bitsPerSample);
    /// 16-bit samples, interleaved when stereo.
    Status Append(std::span<const std::int16_t> samples);
    /// 8-bit unsigned samples, interleaved when stereo.
    Status AppendBytes(std::span<const std::uint8_t> bytes);
    Status Commit();
    std::uint32_t DataBytes() const { return DataSize; }

private:
    Status WriteHeader();
    void Discard();

    std::FILE* File = nullptr;
    std::string TargetPath;
    std::string TemporaryPath;
    int FramesPerSecond = 0;
    int Channels = 0;
    int BitsPerSample = 0;
    std::uint32_t DataSize = 0;
};

}  // namespace kelvaro
