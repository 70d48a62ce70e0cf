// Writes a PCM WAV file so that it either appears complete or not at all.
#include "app/WavFileWriter.h"

#include <unistd.h>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

namespace kelvaro {

namespace {

void PutLe(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

Status ErrnoStatus(const std::string& context) {
    const int code = errno != 0 ? errno : EIO;
    return Status::Failure(code, context + ": " + std::strerror(code));
}

}  // namespace

WavFileWriter::~WavFileWriter() {
    Discard();
}

Status WavFileWriter::Open(const std::string& path, int framesPerSecond, int channels, int bitsPerSample) {
    Discard();
    TargetPath = path;
    FramesPerSecond = framesPerSecond;
    Channels = channels;
    BitsPerSample = bitsPerSample;
    DataSize = 0;
    TemporaryPath = path + ".partial-" + std::to_string(::getpid());
    errno = 0;
    File = std::fopen(TemporaryPath.c_str(), "wb");
    if (File == nullptr) {
        return ErrnoStatus("cannot write " + path);
    }
    return WriteHeader();
}

Status WavFileWriter::WriteHeader() {
    std::array<std::uint8_t, 44> header{};
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
    errno = 0;
    if (std::fseek(File, 0, SEEK_SET) != 0 ||
        std::fwrite(header.data(), 1, header.size(), File) != header.size()) {
        return ErrnoStatus("cannot write " + TargetPath);
    }
    return Status::Success();
}

Status WavFileWriter::Append(std::span<const std::int16_t> samples) {
    std::vector<std::uint8_t> bytes(samples.size() * 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        PutLe(bytes.data() + 2 * i, static_cast<std::uint16_t>(samples[i]), 2);
    }
    return AppendBytes(bytes);
}

Status WavFileWriter::AppendBytes(std::span<const std::uint8_t> bytes) {
    if (File == nullptr) {
        return Status::Failure(EBADF, "no file open");
    }
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max() - 36 - DataSize) {
        return Status::Failure(EFBIG, "cannot write " + TargetPath + ": a WAV file holds at most 4 GB");
    }
    errno = 0;
    if (std::fseek(File, 0, SEEK_END) != 0 ||
        std::fwrite(bytes.data(), 1, bytes.size(), File) != bytes.size()) {
        return ErrnoStatus("cannot write " + TargetPath);
    }
    DataSize += static_cast<std::uint32_t>(bytes.size());
    return Status::Success();
}

Status WavFileWriter::Commit() {
    if (File == nullptr) {
        return Status::Failure(EBADF, "no file open");
    }
    Status status = WriteHeader();
    errno = 0;
    if (status.Ok() && (std::fflush(File) != 0 || ::fsync(::fileno(File)) != 0)) {
        status = ErrnoStatus("cannot write " + TargetPath);
    }
    errno = 0;
    if (std::fclose(File) != 0 && status.Ok()) {
        status = ErrnoStatus("cannot write " + TargetPath);
    }
    File = nullptr;
    errno = 0;
    if (status.Ok() && std::rename(TemporaryPath.c_str(), TargetPath.c_str()) != 0) {
        status = ErrnoStatus("cannot write " + TargetPath);
    }
    if (!status.Ok()) {
        std::remove(TemporaryPath.c_str());
    }
    TemporaryPath.clear();
    return status;
}

void WavFileWriter::Discard() {
    if (File != nullptr) {
        std::fclose(File);
        File = nullptr;
    }
    if (!TemporaryPath.empty()) {
        std::remove(TemporaryPath.c_str());
        TemporaryPath.clear();
    }
}

}  // namespace kelvaro
