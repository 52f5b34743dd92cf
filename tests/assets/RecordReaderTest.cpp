#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "assets/RecordReader.h"

namespace {

CRecordReader ReaderOver(const std::string& text)
{
    return CRecordReader(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

}  // namespace

// Only lines of zero length (nothing before LF or CR LF) are skipped: a line of
// blanks is a record without fields, since records are known by position.
TEST(CRecordReader, SkipsOnlyEmptyLines)
{
    const std::string text = "\r\n\nNODE  fish  \r\n   \t \r\n\r\nCHILDS 0\n";
    CRecordReader reader = ReaderOver(text);
    ASSERT_TRUE(reader.ReadRecord());
    EXPECT_EQ(reader.GetField(0), "NODE");
    EXPECT_EQ(reader.GetField(1), "fish");
    EXPECT_EQ(reader.GetField(2), "");
    ASSERT_TRUE(reader.ReadRecord());
    EXPECT_EQ(reader.GetField(0), "");
    ASSERT_TRUE(reader.ReadRecord());
    EXPECT_EQ(reader.GetField(0), "CHILDS");
    EXPECT_FALSE(reader.ReadRecord());
    EXPECT_FALSE(reader.ReadRecord());
}

// Numbers convert like "%f": signs, exponents and a number glued to text.
TEST(CRecordReader, ConvertsNumbersLikeScanf)
{
    const std::string text = "TMATRIX -0.06 +0.1 1e-2 7\nV 1.5x 2\n";
    CRecordReader reader = ReaderOver(text);
    ASSERT_TRUE(reader.ReadRecord());
    float values[4] = {};
    EXPECT_EQ(reader.ScanFloats(1, 4, values), 4);
    EXPECT_FLOAT_EQ(values[0], -0.06f);
    EXPECT_FLOAT_EQ(values[1], 0.1f);
    EXPECT_FLOAT_EQ(values[2], 0.01f);
    EXPECT_FLOAT_EQ(values[3], 7.0f);
    ASSERT_TRUE(reader.ReadRecord());
    float glued[2] = {-1, -1};
    EXPECT_EQ(reader.ScanFloats(1, 2, glued), 1);
    EXPECT_FLOAT_EQ(glued[0], 1.5f);
    EXPECT_FLOAT_EQ(glued[1], -1.0f);
}

// A field that does not convert stops the scan and leaves the rest unset.
TEST(CRecordReader, StopsAtFirstBadField)
{
    const std::string text = "OBJECT fish 12 x 5\n";
    CRecordReader reader = ReaderOver(text);
    ASSERT_TRUE(reader.ReadRecord());
    int32_t counts[3] = {-7, -7, -7};
    EXPECT_EQ(reader.ScanInts(2, 3, counts), 1);
    EXPECT_EQ(counts[0], 12);
    EXPECT_EQ(counts[1], -7);
    float missing[2] = {9, 9};
    EXPECT_EQ(reader.ScanFloats(5, 2, missing), 0);
    EXPECT_FLOAT_EQ(missing[0], 9.0f);
}

// A field of 255 characters is read whole; one of 256 ends the reading.
TEST(CRecordReader, RefusesOverlongField)
{
    const std::string longest(255, 'a');
    const std::string text = "MODEL " + longest + "\nMODEL " + longest + "b\nCHILDS 0\n";
    CRecordReader reader = ReaderOver(text);
    ASSERT_TRUE(reader.ReadRecord());
    EXPECT_EQ(reader.GetField(1), longest);
    EXPECT_FALSE(reader.ReadRecord());
    EXPECT_FALSE(reader.ReadRecord());
}

// Bytes after the given size are never read, even without a line end.
TEST(CRecordReader, StaysInsideGivenBytes)
{
    const char text[] = "NODE fish\nNODE hvost";
    CRecordReader reader(reinterpret_cast<const uint8_t*>(text), std::strlen("NODE fish\nNODE hv"));
    ASSERT_TRUE(reader.ReadRecord());
    ASSERT_TRUE(reader.ReadRecord());
    EXPECT_EQ(reader.GetField(1), "hv");
    EXPECT_FALSE(reader.ReadRecord());
    CRecordReader empty(nullptr, 100);
    EXPECT_FALSE(empty.ReadRecord());
}
