// Renders text offline into a WAV file: the clean keyed tone, at 22050 or 11025 samples per
// second, mono or stereo, 8 or 16 bits. The window and kelvaro-cli both record through it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/MorseTable.h"
#include "core/SpeedSettings.h"
#include "core/Status.h"
#include "core/ToneTable.h"

namespace kelvaro {

/// The recording options; they keep their values for the run and are not saved.
struct RecordFormat {
    /// 1 for 22050 samples per second, 2 for 11025.
    int RateDivisor = 1;
    int Channels = 1;
    int Bits = 8;

    int SamplesPerSecond() const { return 22050 / RateDivisor; }
    /// Accepts only 22050 or 11025.
    bool SetSamplesPerSecond(int rate);
    bool operator==(const RecordFormat&) const = default;
};

/// Element and gap lengths in sample values (one value per channel).
struct RecordTiming {
    int DashValues = 0;
    int DotValues = 0;
    /// The silence after each element, and the unit of the longer spaces.
    int GapValues = 0;

    static RecordTiming For(const SpeedSettings& speed, const RecordFormat& format);
};

/// The largest data a WAV header can announce.
inline constexpr std::uint64_t kMaxWavDataBytes = 0xFFFFFFFFull - 36;

/// "123456" -> " 123 456": a blank before every group of three digits from the right.
std::string GroupDigits(std::uint64_t value);

class WavRecording {
public:
    /// Everything is read at the time of each call; the recording keeps no copy.
    WavRecording(const MorseTable& table, const SpeedSettings& speed, const ToneTable& tone,
                 const RecordFormat& format);

    /// Bytes of sample data the text gives (text in the program's 8-bit codes).
    std::uint64_t DataSize(std::string_view codes) const;
    /// One character's bytes, with the silence after it, replacing what out held. Characters
    /// without a code give nothing.
    void RenderCharacter(std::uint8_t code, std::vector<std::uint8_t>& out) const;
    /// Writes the whole file: beside the target, renamed into place once complete. On failure
    /// nothing stays under path. A text over the WAV limit is refused before anything is written.
    Status Record(std::string_view codes, const std::string& path) const;

private:
    void PutTone(int lengthValues, std::vector<std::uint8_t>& out) const;
    void PutSilence(int lengthValues, std::vector<std::uint8_t>& out) const;
    void PutValue(int value, std::vector<std::uint8_t>& out) const;

    const MorseTable& Table;
    const SpeedSettings& Speed;
    const ToneTable& Tone;
    RecordFormat Format;
};

}  // namespace kelvaro
