// Reads the sound of a WAV file, whatever its sample format, rate and channel count.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/Status.h"

namespace kelvaro {

/// Reads PCM WAV files of 8-bit (unsigned), 16-, 24- or 32-bit integer and 32- or 64-bit float
/// samples (WAVE_FORMAT_PCM, WAVE_FORMAT_IEEE_FLOAT, or either inside WAVE_FORMAT_EXTENSIBLE),
/// any channel count and rate. Chunks other than "fmt " and "data" are skipped. The sound is
/// handed out as interleaved floats in -1..1, a block at a time, so a long recording never
/// sits in memory whole. A file that is not a WAV, is cut short or holds no sound is refused
/// by Open with one message naming the file.
class WavFileReader {
public:
    struct Format {
        int SampleRateHz = 0;
        int Channels = 0;
        int BitsPerSample = 0;
        bool IsFloat = false;
        std::uint64_t Frames = 0;
    };

    WavFileReader();
    ~WavFileReader();
    WavFileReader(const WavFileReader&) = delete;
    WavFileReader& operator=(const WavFileReader&) = delete;

    Status Open(const std::string& path);
    const Format& SoundFormat() const { return Shape; }
    /// Up to maxFrames frames into samples (replaced), Channels samples per frame; samples
    /// comes back empty at the end of the sound.
    Status Read(std::size_t maxFrames, std::vector<float>& samples);

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    Status Refuse(const std::string& reason) const;
    float SampleAt(const unsigned char* bytes) const;

    std::unique_ptr<std::FILE, FileCloser> File;
    std::string Path;
    Format Shape;
    int BytesPerSample = 0;
    std::uint64_t FramesLeft = 0;
    std::vector<unsigned char> Raw;
};

}  // namespace kelvaro
