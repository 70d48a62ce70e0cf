// Reads the sound of a WAV file, whatever its sample format, rate and channel count.
#include "app/WavFileReader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

namespace kelvaro {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
/// A data size a writer that could not rewind leaves in the header: the sound runs to the end.
constexpr std::uint32_t kSizeUnknown = 0xFFFFFFFF;

std::uint32_t Le(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

}  // namespace

WavFileReader::WavFileReader() = default;
WavFileReader::~WavFileReader() = default;

Status WavFileReader::Refuse(const std::string& reason) const {
    return Status::Failure(EINVAL, Path + ": " + reason);
}

Status WavFileReader::Open(const std::string& path) {
    Path = path;
    Shape = {};
    FramesLeft = 0;
    File.reset(std::fopen(path.c_str(), "rb"));
    if (!File) {
        const int error = errno;
        return Status::Failure(error, path + ": cannot read (" + std::strerror(error) + ")");
    }
    struct stat info {};
    if (::fstat(::fileno(File.get()), &info) == 0 && S_ISDIR(info.st_mode)) {
        return Refuse("a folder, not a WAV file");
    }
    if (std::fseek(File.get(), 0, SEEK_END) != 0) {
        return Refuse("cannot read (not a file that can be searched)");
    }
    const long fileSize = std::ftell(File.get());
    std::rewind(File.get());
    if (fileSize <= 0) {
        return Refuse("the file is empty");
    }
    unsigned char header[12];
    if (fileSize < 12 || std::fread(header, 1, 12, File.get()) != 12 || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "WAVE", 4) != 0) {
        return Refuse("not a WAV file");
    }

    std::optional<std::vector<unsigned char>> formatChunk;
    std::optional<long> dataStart;
    std::uint64_t dataBytes = 0;
    long at = 12;
    while (at + 8 <= fileSize) {
        unsigned char chunk[8];
        if (std::fseek(File.get(), at, SEEK_SET) != 0 || std::fread(chunk, 1, 8, File.get()) != 8) {
            return Refuse("cannot read");
        }
        const std::uint32_t size = Le(chunk + 4, 4);
        const long body = at + 8;
        const long left = fileSize - body;
        if (std::memcmp(chunk, "data", 4) == 0) {
            dataStart = body;
            if (size == kSizeUnknown) {
                dataBytes = static_cast<std::uint64_t>(left);
                break;
            }
            if (size > static_cast<std::uint64_t>(left)) {
                return Refuse("truncated WAV file (" + std::to_string(left) + " of " + std::to_string(size) +
                              " bytes of sound)");
            }
            dataBytes = size;
        } else if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16 || size > static_cast<std::uint64_t>(left)) {
                return Refuse("truncated WAV file (format chunk cut short)");
            }
            formatChunk.emplace(size);
            if (std::fread(formatChunk->data(), 1, size, File.get()) != size) {
                return Refuse("cannot read");
            }
        } else if (size > static_cast<std::uint64_t>(left)) {
            if (formatChunk && dataStart) {
                break;  // something cut short after the sound: the sound is whole
            }
            return Refuse("truncated WAV file");
        }
        at = body + static_cast<long>(size) + static_cast<long>(size & 1U);
    }
    if (!formatChunk) {
        return Refuse("not a WAV file (no format chunk)");
    }
    if (!dataStart) {
        return Refuse("truncated WAV file (no sound data)");
    }

    const unsigned char* fmt = formatChunk->data();
    std::uint16_t tag = static_cast<std::uint16_t>(Le(fmt, 2));
    const int channels = static_cast<int>(Le(fmt + 2, 2));
    const std::uint32_t rate = Le(fmt + 4, 4);
    const int blockAlign = static_cast<int>(Le(fmt + 12, 2));
    const int bits = static_cast<int>(Le(fmt + 14, 2));
    if (tag == kFormatExtensible) {
        if (formatChunk->size() < 40) {
            return Refuse("broken WAV format chunk (extensible format without its sub-format)");
        }
        tag = static_cast<std::uint16_t>(Le(fmt + 24, 2));
    }
    const bool isFloat = tag == kFormatFloat;
    const bool supported = (tag == kFormatPcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32)) ||
                           (isFloat && (bits == 32 || bits == 64));
    if (!supported) {
        return Refuse("unsupported WAV sound (format " + std::to_string(tag) + ", " + std::to_string(bits) +
                      " bits); PCM of 8, 16, 24 or 32 bits and 32- or 64-bit float can be read");
    }
    if (channels < 1 || rate < 1 || rate > 1'000'000) {
        return Refuse("broken WAV format chunk (" + std::to_string(channels) + " channels, " +
                      std::to_string(rate) + " Hz)");
    }
    BytesPerSample = bits / 8;
    if (blockAlign != channels * BytesPerSample) {
        return Refuse("broken WAV format chunk (a frame of " + std::to_string(blockAlign) + " bytes for " +
                      std::to_string(channels) + " channels of " + std::to_string(bits) + " bits)");
    }
    Shape.SampleRateHz = static_cast<int>(rate);
    Shape.Channels = channels;
    Shape.BitsPerSample = bits;
    Shape.IsFloat = isFloat;
    Shape.Frames = dataBytes / static_cast<std::uint64_t>(blockAlign);
    if (Shape.Frames == 0) {
        return Refuse("the WAV file holds no sound");
    }
    FramesLeft = Shape.Frames;
    if (std::fseek(File.get(), *dataStart, SEEK_SET) != 0) {
        return Refuse("cannot read");
    }
    return Status::Success();
}

float WavFileReader::SampleAt(const unsigned char* bytes) const {
    if (Shape.IsFloat) {
        if (BytesPerSample == 4) {
            float value;
            std::memcpy(&value, bytes, 4);  // the file is little-endian, as this machine
            return value;
        }
        double value;
        std::memcpy(&value, bytes, 8);
        return static_cast<float>(value);
    }
    switch (BytesPerSample) {
        case 1:
            return (float(bytes[0]) - 128.0F) / 128.0F;
        case 2:
            return float(static_cast<std::int16_t>(Le(bytes, 2))) / 32768.0F;
        case 3: {
            const auto raw = static_cast<std::int32_t>(Le(bytes, 3) << 8);  // sign from the top byte
            return float(double(raw / 256) / 8388608.0);
        }
        default:
            return float(double(static_cast<std::int32_t>(Le(bytes, 4))) / 2147483648.0);
    }
}

Status WavFileReader::Read(std::size_t maxFrames, std::vector<float>& samples) {
    samples.clear();
    if (!File) {
        return Status::Success();
    }
    const std::size_t frames = static_cast<std::size_t>(std::min<std::uint64_t>(maxFrames, FramesLeft));
    const std::size_t frameBytes = static_cast<std::size_t>(Shape.Channels * BytesPerSample);
    Raw.resize(frames * frameBytes);
    const std::size_t got = std::fread(Raw.data(), 1, Raw.size(), File.get());
    if (got != Raw.size()) {
        return Refuse("cannot read (the file changed while it was read)");
    }
    FramesLeft -= frames;
    samples.resize(frames * static_cast<std::size_t>(Shape.Channels));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = SampleAt(Raw.data() + i * static_cast<std::size_t>(BytesPerSample));
    }
    return Status::Success();
}

}  // namespace kelvaro
