#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "sound/WaveData.h"
#include "tests/support/WavBytes.h"

namespace {

bool Parses(const std::vector<uint8_t>& wav)
{
    SWaveData wave;
    return wave.Parse(wav.data(), static_cast<uint32_t>(wav.size()));
}

// A canonical file with its format chunk grown by two bytes (as some tools
// write it), the data chunk following.
std::vector<uint8_t> WithLongFormatChunk(const std::vector<uint8_t>& canonical)
{
    std::vector<uint8_t> wav = canonical;
    wav[16] = 18;
    wav.insert(wav.begin() + 36, 2, 0);
    return wav;
}

}  // namespace

// An 8-bit stereo file with a LIST chunk after its data reads whole: the
// trailing chunk is not taken for samples.
TEST(SWaveData, ReadsCanonicalLayoutAndIgnoresTrailingChunks)
{
    std::vector<uint8_t> wav = MakeWav(2, 11025, 8, {1, 2, 3, 4, 5, 6});
    const char list[] = "LIST\4\0\0\0INFO";
    wav.insert(wav.end(), list, list + 12);
    SWaveData wave;
    ASSERT_TRUE(wave.Parse(wav.data(), static_cast<uint32_t>(wav.size())));
    EXPECT_EQ(2, wave.channels);
    EXPECT_EQ(11025u, wave.samplesPerSec);
    EXPECT_EQ(8, wave.bitsPerSample);
    EXPECT_EQ(6u, wave.sampleCount);
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 4, 5, 6}), wave.samples);
}

// Layouts other than the canonical one, and data the entry does not hold,
// are refused rather than read from the wrong place.
TEST(SWaveData, RefusesOtherLayoutsAndTruncatedData)
{
    const std::vector<uint8_t> canonical = MakeWav(1, 22050, 16, std::vector<uint8_t>(20, 7));
    EXPECT_TRUE(Parses(canonical));

    EXPECT_FALSE(Parses(WithLongFormatChunk(canonical)));

    std::vector<uint8_t> between = canonical;
    const char fact[] = "fact\4\0\0\0\0\0\0\0";
    between.insert(between.begin() + 36, fact, fact + 12);
    EXPECT_FALSE(Parses(between));

    std::vector<uint8_t> truncated = canonical;
    truncated.pop_back();
    EXPECT_FALSE(Parses(truncated));

    std::vector<uint8_t> notRiff = canonical;
    notRiff[0] = 'X';
    EXPECT_FALSE(Parses(notRiff));

    EXPECT_FALSE(Parses(std::vector<uint8_t>(canonical.begin(), canonical.begin() + 43)));
}

// 4 bits per sample would be a bytes-per-sample of 0: refused, not divided by.
TEST(SWaveData, RefusesFewerThanEightBits)
{
    EXPECT_FALSE(Parses(MakeWav(1, 8000, 4, {0x12, 0x34})));
}

// A data size near 2^32 does not wrap round the end-of-entry check.
TEST(SWaveData, RefusesDataSizeThatWouldWrap)
{
    std::vector<uint8_t> wav = MakeWav(1, 8000, 8, {128, 128});
    std::memset(wav.data() + 40, 0xFF, 4);
    EXPECT_FALSE(Parses(wav));
}
