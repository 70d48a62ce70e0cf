// WAV files of every sample format, built byte by byte for the reader and decoder tests.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kelvaro::test {

struct WavShape {
    std::uint16_t Tag = 1;  // 1 PCM, 3 float
    int Channels = 1;
    int RateHz = 11025;
    int Bits = 16;
    bool Extensible = false;
};

inline std::string LittleEndian(std::uint64_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

/// A chunk with its pad byte when the body is odd.
inline std::string WavChunk(const std::string& id, const std::string& body) {
    std::string chunk = id + LittleEndian(body.size(), 4) + body;
    if (body.size() % 2 != 0) {
        chunk += '\0';
    }
    return chunk;
}

inline std::string WavFormatChunk(const WavShape& shape) {
    const int blockAlign = shape.Channels * shape.Bits / 8;
    std::string body = LittleEndian(shape.Extensible ? 0xFFFE : shape.Tag, 2) +
                       LittleEndian(shape.Channels, 2) + LittleEndian(shape.RateHz, 4) +
                       LittleEndian(std::uint64_t(shape.RateHz) * blockAlign, 4) +
                       LittleEndian(blockAlign, 2) + LittleEndian(shape.Bits, 2);
    if (shape.Extensible) {
        // cbSize, valid bits, channel mask, then the sub-format GUID whose first two bytes are the tag.
        body += LittleEndian(22, 2) + LittleEndian(shape.Bits, 2) +
                LittleEndian(shape.Channels == 1 ? 4 : 3, 4) + LittleEndian(shape.Tag, 2) +
                std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    }
    return WavChunk("fmt ", body);
}

/// Samples in -1..1 encoded as the shape says (integers rounded and clipped).
inline std::string WavSamples(const WavShape& shape, const std::vector<float>& samples) {
    std::string out;
    for (const float sample : samples) {
        const double x = sample;
        if (shape.Tag == 3 && shape.Bits == 32) {
            const float f = sample;
            char raw[4];
            std::memcpy(raw, &f, 4);
            out.append(raw, 4);
        } else if (shape.Tag == 3) {
            char raw[8];
            std::memcpy(raw, &x, 8);
            out.append(raw, 8);
        } else if (shape.Bits == 8) {
            out += static_cast<char>(std::clamp<long>(std::lround(x * 128.0), -128, 127) + 128);
        } else {
            const double full = std::ldexp(1.0, shape.Bits - 1);
            const auto value = std::clamp<long long>(std::llround(x * full), -static_cast<long long>(full),
                                                     static_cast<long long>(full) - 1);
            out += LittleEndian(static_cast<std::uint64_t>(value), shape.Bits / 8);
        }
    }
    return out;
}

/// A whole file: "RIFF" size "WAVE", the chunks before, "fmt ", the chunks between, "data".
inline std::string WavFile(const WavShape& shape, const std::vector<float>& samples,
                           const std::string& before = "", const std::string& between = "") {
    const std::string body =
        "WAVE" + before + WavFormatChunk(shape) + between + WavChunk("data", WavSamples(shape, samples));
    return "RIFF" + LittleEndian(body.size(), 4) + body;
}

inline void PutFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace kelvaro::test
