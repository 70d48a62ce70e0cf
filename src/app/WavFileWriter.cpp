// Writes a PCM WAV file so that it either appears complete or not at all.
#include "app/WavFileWriter.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <limits>
#include <vector>

namespace kelvaro {

namespace {

constexpr std::size_t kHeaderBytes = 44;

void PutLe(char* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<char>(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

}  // namespace

WavFileWriter::~WavFileWriter() = default;

Status WavFileWriter::Open(const std::string& path, int framesPerSecond, int channels, int bitsPerSample) {
    FramesPerSecond = framesPerSecond;
    Channels = channels;
    BitsPerSample = bitsPerSample;
    DataSize = 0;
    Held.clear();
    if (Status status = File.Open(path); !status.Ok()) {
        return status;
    }
    // The sizes are filled in at Commit.
    return File.CanRewrite() ? File.Write(Header()) : Status::Success();
}

std::string WavFileWriter::Header() const {
    std::string header(kHeaderBytes, '\0');
    const std::uint32_t blockAlign = static_cast<std::uint32_t>(Channels * BitsPerSample / 8);
    std::memcpy(header.data(), "RIFF", 4);
    PutLe(header.data() + 4, 36 + DataSize, 4);
    std::memcpy(header.data() + 8, "WAVEfmt ", 8);
    PutLe(header.data() + 16, 16, 4);
    PutLe(header.data() + 20, 1, 2);  // PCM
    PutLe(header.data() + 22, static_cast<std::uint32_t>(Channels), 2);
    PutLe(header.data() + 24, static_cast<std::uint32_t>(FramesPerSecond), 4);
    PutLe(header.data() + 28, static_cast<std::uint32_t>(FramesPerSecond) * blockAlign, 4);
    PutLe(header.data() + 32, blockAlign, 2);
    PutLe(header.data() + 34, static_cast<std::uint32_t>(BitsPerSample), 2);
    std::memcpy(header.data() + 36, "data", 4);
    PutLe(header.data() + 40, DataSize, 4);
    return header;
}

Status WavFileWriter::Append(std::span<const std::int16_t> samples) {
    std::vector<std::uint8_t> bytes(samples.size() * 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto sample = static_cast<std::uint16_t>(samples[i]);
        bytes[2 * i] = static_cast<std::uint8_t>(sample);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(sample >> 8);
    }
    return AppendBytes(bytes);
}

Status WavFileWriter::AppendBytes(std::span<const std::uint8_t> bytes) {
    if (!File.IsOpen()) {
        return Status::Failure(EBADF, "no file open");
    }
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max() - 36 - DataSize) {
        return Status::Failure(EFBIG, "a WAV file holds at most 4 GB");
    }
    const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (File.CanRewrite()) {
        if (Status status = File.Write(view); !status.Ok()) {
            return status;
        }
    } else {
        Held.append(view);
    }
    DataSize += static_cast<std::uint32_t>(bytes.size());
    return Status::Success();
}

Status WavFileWriter::Commit() {
    if (!File.IsOpen()) {
        return Status::Failure(EBADF, "no file open");
    }
    Status status = File.CanRewrite() ? File.WriteAt(0, Header()) : File.Write(Header() + Held);
    Held.clear();
    if (!status.Ok()) {
        File.Discard();
        return status;
    }
    return File.Commit();
}

}  // namespace kelvaro
