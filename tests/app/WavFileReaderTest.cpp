// Reading WAV files of every sample format, and refusing what is not a whole WAV.
#include <gtest/gtest.h>

#include "app/WavFileReader.h"
#include "support/ScratchFolder.h"
#include "support/WavBytes.h"

namespace kelvaro {
namespace {

using test::WavShape;

class WavFileReaderTest : public test::ScratchFolderTest {
protected:
    WavFileReaderTest() : ScratchFolderTest("kelvaro-wav-reader") {}

    std::string Put(const std::string& bytes, const std::string& name = "sound.wav") {
        const std::string path = (Folder / name).string();
        test::PutFile(path, bytes);
        return path;
    }
    /// Every sample of the file, read a few frames at a time.
    std::vector<float> ReadAll(WavFileReader& reader, std::size_t blockFrames = 3) {
        std::vector<float> all;
        std::vector<float> block;
        for (;;) {
            EXPECT_TRUE(reader.Read(blockFrames, block).Ok());
            if (block.empty()) {
                return all;
            }
            all.insert(all.end(), block.begin(), block.end());
        }
    }
    /// The message of a refused file, "" when it was read.
    std::string Refusal(const std::string& bytes) {
        WavFileReader reader;
        const std::string path = Put(bytes, "bad.wav");
        const Status status = reader.Open(path);
        if (status.Ok()) {
            return "";
        }
        EXPECT_NE(status.Code, 0);
        EXPECT_EQ(status.Context.rfind(path + ": ", 0), 0u) << status.Context;  // names the file
        EXPECT_EQ(status.Context.find('\n'), std::string::npos);
        return status.Context.substr(path.size() + 2);
    }

    // Values every format holds exactly.
    const std::vector<float> Samples{0.0F, 0.5F, -0.5F, -1.0F, 0.25F, -0.25F, 0.75F, 0.0F};
};

TEST_F(WavFileReaderTest, ReadsEverySampleFormat) {
    struct Case {
        WavShape Shape;
        const char* Name;
    };
    for (const Case& c : {Case{{1, 1, 8000, 8}, "8-bit"}, Case{{1, 2, 44100, 16}, "16-bit"},
                          Case{{1, 1, 48000, 24}, "24-bit"}, Case{{1, 2, 96000, 32}, "32-bit"},
                          Case{{3, 2, 22050, 32}, "float"}, Case{{3, 1, 11025, 64}, "double"},
                          Case{{3, 2, 48000, 32, true}, "extensible float"},
                          Case{{1, 1, 44100, 16, true}, "extensible 16-bit"},
                          Case{{1, 2, 44100, 24, true}, "extensible 24-bit"}}) {
        SCOPED_TRACE(c.Name);
        WavFileReader reader;
        ASSERT_TRUE(reader.Open(Put(test::WavFile(c.Shape, Samples))).Ok());
        const auto& format = reader.SoundFormat();
        EXPECT_EQ(format.SampleRateHz, c.Shape.RateHz);
        EXPECT_EQ(format.Channels, c.Shape.Channels);
        EXPECT_EQ(format.BitsPerSample, c.Shape.Bits);
        EXPECT_EQ(format.IsFloat, c.Shape.Tag == 3);
        EXPECT_EQ(format.Frames, Samples.size() / std::size_t(c.Shape.Channels));
        EXPECT_EQ(ReadAll(reader), Samples);
    }
}

TEST_F(WavFileReaderTest, FullScaleAndSignOfEveryIntegerWidth) {
    for (const int bits : {8, 16, 24, 32}) {
        SCOPED_TRACE(bits);
        WavFileReader reader;
        ASSERT_TRUE(reader.Open(Put(test::WavFile({1, 1, 8000, bits}, {1.0F, -1.0F, -0.001F}))).Ok());
        const std::vector<float> read = ReadAll(reader);
        ASSERT_EQ(read.size(), 3u);
        EXPECT_NEAR(read[0], 1.0F, 1.0F / 64);  // the largest value is one step short of 1
        EXPECT_LE(read[0], 1.0F);
        EXPECT_EQ(read[1], -1.0F);
        EXPECT_LE(read[2], 0.0F);
    }
}

TEST_F(WavFileReaderTest, SkipsOtherChunksAndReadsToTheEndWhenTheSizeIsUnknown) {
    const std::string list = test::WavChunk("LIST", "INFOISFT\x05\x00\x00\x00kelv");  // odd: padded
    const std::string fact = test::WavChunk("fact", test::LittleEndian(8, 4));
    WavFileReader reader;
    ASSERT_TRUE(reader.Open(Put(test::WavFile({1, 2, 44100, 16}, Samples, list, fact))).Ok());
    EXPECT_EQ(ReadAll(reader, 1000), Samples);

    // A writer that could not rewind leaves the data size at its largest value.
    std::string streamed = test::WavFile({1, 1, 44100, 16}, Samples);
    const std::size_t data = streamed.find("data");
    streamed.replace(data + 4, 4, std::string(4, '\xFF'));
    ASSERT_TRUE(reader.Open(Put(streamed)).Ok());
    EXPECT_EQ(ReadAll(reader), Samples);

    // Something cut short after the sound leaves the sound whole.
    std::string tail =
        test::WavFile({1, 1, 44100, 16}, Samples) + "LIST" + test::LittleEndian(100, 4) + "abc";
    ASSERT_TRUE(reader.Open(Put(tail)).Ok());
    EXPECT_EQ(ReadAll(reader), Samples);
}

TEST_F(WavFileReaderTest, RefusesWhatIsNoWholeWav) {
    const std::string good = test::WavFile({1, 1, 44100, 16}, Samples);
    const std::string format = test::WavFormatChunk({1, 1, 44100, 16});
    const std::string data = test::WavChunk("data", test::WavSamples({1, 1, 44100, 16}, Samples));
    const auto riff = [](const std::string& body) {
        return "RIFF" + test::LittleEndian(body.size(), 4) + body;
    };

    EXPECT_EQ(Refusal(""), "the file is empty");
    EXPECT_EQ(Refusal("hello, this is text and no sound at all\n"), "not a WAV file");
    EXPECT_EQ(Refusal("RIFF"), "not a WAV file");
    EXPECT_EQ(Refusal(riff("AVI " + format + data)), "not a WAV file");
    EXPECT_EQ(Refusal(riff("WAVE" + data)), "not a WAV file (no format chunk)");
    EXPECT_EQ(Refusal(riff("WAVE" + format)), "truncated WAV file (no sound data)");
    EXPECT_EQ(Refusal(good.substr(0, good.size() - 3)), "truncated WAV file (13 of 16 bytes of sound)");
    EXPECT_EQ(Refusal(good.substr(0, 30)), "truncated WAV file (format chunk cut short)");
    EXPECT_EQ(Refusal(riff("WAVE" + format + test::WavChunk("data", ""))), "the WAV file holds no sound");
    EXPECT_EQ(Refusal(riff("WAVE" + test::WavChunk("junk", "abcd").substr(0, 10))), "truncated WAV file");
    EXPECT_EQ(Refusal(riff("WAVE" + test::WavFormatChunk({2, 1, 44100, 4}) + data)),
              "unsupported WAV sound (format 2, 4 bits); PCM of 8, 16, 24 or 32 bits and 32- or 64-bit float "
              "can be read");
    EXPECT_EQ(
        Refusal(riff("WAVE" + test::WavFormatChunk({1, 1, 44100, 12}) + data)),
        "unsupported WAV sound (format 1, 12 bits); PCM of 8, 16, 24 or 32 bits and 32- or 64-bit float "
        "can be read");
    EXPECT_EQ(Refusal(riff("WAVE" + test::WavFormatChunk({1, 0, 44100, 16}) + data)),
              "broken WAV format chunk (0 channels, 44100 Hz)");
    std::string badAlign = format;
    badAlign[8 + 12] = 3;
    EXPECT_EQ(Refusal(riff("WAVE" + badAlign + data)),
              "broken WAV format chunk (a frame of 3 bytes for 1 channels of 16 bits)");
    EXPECT_EQ(Refusal(good), "");
}

TEST_F(WavFileReaderTest, RefusesWhatCannotBeRead) {
    WavFileReader reader;
    const std::string missing = (Folder / "missing.wav").string();
    Status status = reader.Open(missing);
    EXPECT_EQ(status.Code, ENOENT);
    EXPECT_EQ(status.Context, missing + ": cannot read (No such file or directory)");
    status = reader.Open(Folder.string());
    EXPECT_FALSE(status.Ok());
    EXPECT_EQ(status.Context, Folder.string() + ": a folder, not a WAV file");
    std::vector<float> block{1.0F};
    EXPECT_TRUE(reader.Read(10, block).Ok());
    EXPECT_TRUE(block.empty());
}

}  // namespace
}  // namespace kelvaro
