// Renders text offline into a WAV file: the clean keyed tone, at 22050 or 11025 samples per
// second, mono or stereo, 8 or 16 bits. The window and kelvaro-cli both record through it.
#include "app/WavRecording.h"

#include <cerrno>
#include <cmath>

#include "app/WavFileWriter.h"
#include "core/Rounding.h"

namespace kelvaro {

bool RecordFormat::SetSamplesPerSecond(int rate) {
    if (rate != 22050 && rate != 11025) {
        return false;
    }
    RateDivisor = rate == 22050 ? 1 : 2;
    return true;
}

RecordTiming RecordTiming::For(const SpeedSettings& speed, const RecordFormat& format) {
    const double dash = 30000.0 / speed.SpeedFactor();
    auto values = [&](double frames) {
        return static_cast<int>(RoundToInt(frames) / format.RateDivisor) * format.Channels;
    };
    return {values(dash), values(dash / speed.WeightRatio()), values(dash / 3)};
}

std::string GroupDigits(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if ((digits.size() - i) % 3 == 0) {
            grouped += ' ';
        }
        grouped += digits[i];
    }
    return grouped;
}

WavRecording::WavRecording(const MorseTable& table, const SpeedSettings& speed, const ToneTable& tone,
                           const RecordFormat& format)
    : Table(table), Speed(speed), Tone(tone), Format(format) {}

std::uint64_t WavRecording::DataSize(std::string_view codes) const {
    const RecordTiming timing = RecordTiming::For(Speed, Format);
    std::uint64_t values = 0;
    for (const char c : codes) {
        const auto code = static_cast<std::uint8_t>(c);
        if (code == ' ') {
            values += static_cast<std::uint64_t>(Speed.WordSpaceFactor()) * 3 * timing.GapValues;
        } else if (Table.HasPattern(code)) {
            for (const char element : Table.Pattern(code)) {
                values += (element == '-' ? timing.DashValues : timing.DotValues) + timing.GapValues;
            }
            values += static_cast<std::uint64_t>(Speed.CharGapUnits()) * timing.GapValues;
        }
    }
    return Format.Bits == 16 ? 2 * values : values;
}

void WavRecording::PutValue(int value, std::vector<std::uint8_t>& out) const {
    if (Format.Bits == 16) {
        const auto bits = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
        out.push_back(static_cast<std::uint8_t>(bits));
        out.push_back(static_cast<std::uint8_t>(bits >> 8));
    } else {
        out.push_back(static_cast<std::uint8_t>((value + 32768) / 256));
    }
}

// Value i of an element takes the tone's frame RateDivisor x (i / channels): both values of a
// stereo frame are equal. The last 50 frames fall to zero; the rise is the table's own.
void WavRecording::PutTone(int lengthValues, std::vector<std::uint8_t>& out) const {
    const int channels = Format.Channels;
    for (int i = 0; i < lengthValues; ++i) {
        const int frame = Format.RateDivisor * (i / channels);
        double value = frame < Tone.Size() ? Tone[frame] : 0;
        const int valuesToEnd = lengthValues - 1 - i;
        if (valuesToEnd < channels * kRampFrames) {
            value = RoundHalfEven(value * (valuesToEnd / channels) / kRampFrames);
        }
        PutValue(static_cast<int>(value), out);
    }
}

void WavRecording::PutSilence(int lengthValues, std::vector<std::uint8_t>& out) const {
    const std::size_t bytes = static_cast<std::size_t>(lengthValues) * (Format.Bits / 8);
    out.insert(out.end(), bytes, Format.Bits == 16 ? 0 : 128);
}

void WavRecording::RenderCharacter(std::uint8_t code, std::vector<std::uint8_t>& out) const {
    out.clear();
    const RecordTiming timing = RecordTiming::For(Speed, Format);
    if (code == ' ') {
        PutSilence(Speed.WordSpaceFactor() * 3 * timing.GapValues, out);
        return;
    }
    if (!Table.HasPattern(code)) {
        return;
    }
    for (const char element : Table.Pattern(code)) {
        PutTone(element == '-' ? timing.DashValues : timing.DotValues, out);
        PutSilence(timing.GapValues, out);
    }
    PutSilence(Speed.CharGapUnits() * timing.GapValues, out);
}

Status WavRecording::Record(std::string_view codes, const std::string& path) const {
    if (DataSize(codes) > kMaxWavDataBytes) {
        return Status::Failure(EFBIG, "a WAV file holds at most 4 GB");
    }
    WavFileWriter file;
    if (Status status = file.Open(path, Format.SamplesPerSecond(), Format.Channels, Format.Bits);
        !status.Ok()) {
        return status;
    }
    // One buffer for a character and the silence after it, reused for every character.
    std::vector<std::uint8_t> buffer;
    for (const char c : codes) {
        RenderCharacter(static_cast<std::uint8_t>(c), buffer);
        if (buffer.empty()) {
            continue;
        }
        if (Status status = file.AppendBytes(buffer); !status.Ok()) {
            return status;  // the writer removes its temporary file
        }
    }
    return file.Commit();
}

}  // namespace kelvaro
