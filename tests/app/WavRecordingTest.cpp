// Recording text as a WAV file: sizes, header, sample format and the fall of every element.
#include "app/WavRecording.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <stdlib.h>

#include <cmath>

namespace kelvaro {
namespace {

// A new folder for the files of one test, removed with them.
struct Scratch {
    Scratch() {
        std::string pattern = (std::filesystem::temp_directory_path() / "wavrec-XXXXXX").string();
        Folder = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~Scratch() { std::filesystem::remove_all(Folder); }
    std::filesystem::path Path() const { return Folder; }
    std::filesystem::path Folder;
};

std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

struct Case {
    const char* Text;
    int SpeedWpm;
    int Rate;
    int Channels;
    int Bits;
};

// Sample values per element at 22050 per second worked out by hand: 75000 / wpm for a dash, a
// third of it (to the nearest) for a dot and for a gap; halved (whole division) at 11025.
struct HandTiming {
    int Dash;
    int Dot;
};
HandTiming ByHand(int wpm, int rate) {
    const HandTiming full = wpm == 12 ? HandTiming{6250, 2083} : HandTiming{1875, 625};
    return rate == 22050 ? full : HandTiming{full.Dash / 2, full.Dot / 2};
}

// "e": one dot, its gap, two gaps after the character. "paris": 10 dots, 4 dashes, 14 element
// gaps and 5 x 2 character gaps.
std::uint64_t ExpectedData(const Case& c) {
    const HandTiming t = ByHand(c.SpeedWpm, c.Rate);
    const std::uint64_t values = std::strcmp(c.Text, "e") == 0
                                     ? static_cast<std::uint64_t>(t.Dot + t.Dot + 2 * t.Dot)
                                     : static_cast<std::uint64_t>(10 * t.Dot + 4 * t.Dash + 24 * t.Dot);
    return values * static_cast<std::uint64_t>(c.Channels * c.Bits / 8);
}

class WavRecordingFormats : public ::testing::TestWithParam<Case> {};

TEST_P(WavRecordingFormats, WritesTheAnnouncedSizeHeaderAndFall) {
    const Case c = GetParam();
    MorseTable table;
    SpeedSettings speed;
    speed.ApplySpeed(c.SpeedWpm);
    ToneTable tone;
    tone.Rebuild(800, kDefaultToneGain, false);
    RecordFormat format;
    ASSERT_TRUE(format.SetSamplesPerSecond(c.Rate));
    format.Channels = c.Channels;
    format.Bits = c.Bits;
    const WavRecording recording(table, speed, tone, format);

    const std::uint64_t expected = ExpectedData(c);
    EXPECT_EQ(recording.DataSize(c.Text), expected);

    Scratch folder;
    const auto path = folder.Path() / "out.wav";
    ASSERT_TRUE(recording.Record(c.Text, path.string()).Ok());
    const auto bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 44 + expected);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(Le(bytes, 4, 4), expected + 36);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(Le(bytes, 16, 4), 16u);
    EXPECT_EQ(Le(bytes, 20, 2), 1u);
    EXPECT_EQ(Le(bytes, 22, 2), static_cast<std::uint32_t>(c.Channels));
    EXPECT_EQ(Le(bytes, 24, 4), static_cast<std::uint32_t>(c.Rate));
    EXPECT_EQ(Le(bytes, 28, 4), static_cast<std::uint32_t>(c.Rate * c.Channels * c.Bits / 8));
    EXPECT_EQ(Le(bytes, 32, 2), static_cast<std::uint32_t>(c.Channels * c.Bits / 8));
    EXPECT_EQ(Le(bytes, 34, 2), static_cast<std::uint32_t>(c.Bits));
    EXPECT_EQ(std::string(bytes.begin() + 36, bytes.begin() + 40), "data");
    EXPECT_EQ(Le(bytes, 40, 4), expected);

    // Both texts start with a dot. Its value i takes tone frame rate-divisor x (i / channels);
    // the last 50 frames fall to 0, one fiftieth at a time.
    const int divisor = c.Rate == 22050 ? 1 : 2;
    const int length = ByHand(c.SpeedWpm, c.Rate).Dot * c.Channels;
    const int width = c.Bits / 8;
    auto valueAt = [&](int i) {
        const std::size_t at = 44 + static_cast<std::size_t>(i * width);
        return c.Bits == 16 ? static_cast<int>(static_cast<std::int16_t>(Le(bytes, at, 2)))
                            : static_cast<int>(bytes[at]);
    };
    auto stored = [&](double value) {
        const int v = static_cast<int>(std::nearbyint(value));
        return c.Bits == 16 ? v : (v + 32768) / 256;
    };
    for (int i : {c.Channels * 10, length - c.Channels * 50 - 1}) {  // before the fall
        EXPECT_EQ(valueAt(i), stored(tone[divisor * (i / c.Channels)])) << i;
    }
    for (int back = 1; back <= c.Channels * 50; ++back) {
        const int i = length - back;
        const int left = (back - 1) / c.Channels;
        EXPECT_EQ(valueAt(i), stored(tone[divisor * (i / c.Channels)] * left / 50.0)) << i;
    }
    EXPECT_EQ(valueAt(length - 1), c.Bits == 16 ? 0 : 128);
    EXPECT_EQ(valueAt(length), c.Bits == 16 ? 0 : 128);  // the gap
    EXPECT_EQ(valueAt(static_cast<int>(expected / width) - 1), c.Bits == 16 ? 0 : 128);
}

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    for (const char* text : {"e", "paris"}) {
        for (int wpm : {12, 40}) {
            for (int rate : {22050, 11025}) {
                for (int channels : {1, 2}) {
                    for (int bits : {8, 16}) {
                        cases.push_back({text, wpm, rate, channels, bits});
                    }
                }
            }
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, WavRecordingFormats, ::testing::ValuesIn(AllCases()));

TEST(WavRecordingTest, CountsSpacesAndSkipsCharactersWithoutCode) {
    MorseTable table;
    SpeedSettings speed;
    speed.ApplySpeed(12);
    speed.SetWordSpaceFactor(2);
    speed.ApplySpacing(2);  // 5 gaps after every character
    ToneTable tone;
    const WavRecording recording(table, speed, tone, RecordFormat{});
    // "e e": dot + gap + 5 gaps, a blank of 2 x 3 gaps, the second e.
    EXPECT_EQ(recording.DataSize("e e"), 2u * (2083 + 2083 + 5 * 2083) + 6u * 2083);
    EXPECT_EQ(recording.DataSize("e\x01\n#"), recording.DataSize("e") + recording.DataSize("\x01"));

    Scratch folder;
    const auto path = folder.Path() / "empty.wav";
    ASSERT_TRUE(recording.Record("#~", path.string()).Ok());
    const auto bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 44u);
    EXPECT_EQ(Le(bytes, 40, 4), 0u);
}

TEST(WavRecordingTest, GroupsDigitsByThreeFromTheRight) {
    EXPECT_EQ(GroupDigits(123456), " 123 456");
    EXPECT_EQ(GroupDigits(1234567), "1 234 567");
    EXPECT_EQ(GroupDigits(8332), "8 332");
    EXPECT_EQ(GroupDigits(44), "44");
    EXPECT_EQ(GroupDigits(0), "0");
}

TEST(WavRecordingTest, TakesOnlyTheTwoRates) {
    RecordFormat format;
    EXPECT_FALSE(format.SetSamplesPerSecond(44100));
    EXPECT_EQ(format.SamplesPerSecond(), 22050);
    EXPECT_TRUE(format.SetSamplesPerSecond(11025));
    EXPECT_EQ(format.RateDivisor, 2);
}

}  // namespace
}  // namespace kelvaro
