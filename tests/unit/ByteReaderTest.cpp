#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "data/ByteReader.h"

namespace mascot {
namespace {

const std::vector<uint8_t> kBytes = {0x01, 0x02, 0x03, 0x04, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x80};

TEST(ByteReaderTest, ReadsLittleEndianInSequence) {
    ByteReader reader(kBytes);
    EXPECT_EQ(reader.U16().Value(), 0x0201);
    EXPECT_EQ(reader.U8().Value(), 0x03);
    EXPECT_EQ(reader.Position(), 3u);
    reader.Seek(4);
    EXPECT_EQ(reader.I16().Value(), -1);
    EXPECT_EQ(reader.U32().Value(), 0x80FFFFFEu);
    EXPECT_TRUE(reader.AtEnd());
    reader.Seek(0);
    EXPECT_EQ(reader.U32().Value(), 0x04030201u);
    EXPECT_EQ(reader.I32().Value(), static_cast<int32_t>(0xFFFEFFFF));
}

// A read that does not fit fails whole, names where it started, and leaves the cursor alone.
TEST(ByteReaderTest, FailedReadsReportOffsetAndDoNotMove) {
    ByteReader reader(std::span<const uint8_t>(kBytes).first(5), 100);
    ASSERT_TRUE(reader.Skip(3));
    const auto word = reader.U32();
    ASSERT_FALSE(word);
    EXPECT_EQ(word.Error(), (ReadError{ReadFault::PastEnd, 103, 4}));
    EXPECT_EQ(reader.Position(), 3u);
    EXPECT_EQ(reader.U16().Value(), 0xFF04);
    EXPECT_FALSE(reader.U8());
    EXPECT_EQ(reader.Offset(), 105u);
    EXPECT_FALSE(reader.Seek(6));
    EXPECT_EQ(reader.Seek(6).Error().fault, ReadFault::BadPosition);
    EXPECT_TRUE(reader.Seek(5));  // the end itself is a valid position
    EXPECT_EQ(Describe(ReadFault::PastEnd), "runs past the end");
}

// Positions and counts near 2^64 must not wrap into the buffer.
TEST(ByteReaderTest, HugePositionsAndCountsNeverWrap) {
    const ByteReader reader(kBytes);
    struct Case {
        uint64_t position;
        uint64_t count;
    };
    const Case cases[] = {
        {UINT64_MAX, 1}, {UINT64_MAX - 1, 2}, {1, UINT64_MAX}, {0xFFFFFFFF, 4}, {10, 1}, {9, 2}, {11, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_FALSE(reader.BytesAt(c.position, c.count));
    }
    EXPECT_FALSE(reader.U16At(9));
    EXPECT_EQ(reader.U16At(8).Value(), 0x80FF);
    EXPECT_TRUE(reader.BytesAt(10, 0));  // an empty range at the end is inside
    EXPECT_FALSE(reader.TailAt(11));
    EXPECT_TRUE(reader.TailAt(10)->empty());
    EXPECT_EQ(reader.TailAt(7)->size(), 3u);
}

TEST(ByteReaderTest, SubReaderCarriesItsOriginAndBounds) {
    ByteReader reader(kBytes);
    reader.Skip(2);
    auto sub = reader.Sub(3);
    ASSERT_TRUE(sub);
    EXPECT_EQ(reader.Position(), 5u);
    ByteReader inner = *sub;
    EXPECT_EQ(inner.Size(), 3u);
    EXPECT_EQ(inner.U16().Value(), 0x0403);
    const auto past = inner.U16();
    ASSERT_FALSE(past);
    EXPECT_EQ(past.Error().offset, 4u);  // counted from the outer start
    EXPECT_FALSE(reader.Sub(6));
    EXPECT_EQ(reader.Take(5)->size(), 5u);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.U8().ValueOr(7), 7);
    EXPECT_FALSE(reader.U8().ToOptional());
}

TEST(ByteReaderTest, EmptyReaderReadsNothing) {
    ByteReader reader;
    EXPECT_FALSE(reader.U8());
    EXPECT_FALSE(reader.Skip(1));
    EXPECT_TRUE(reader.Skip(0));
    EXPECT_TRUE(reader.Rest().empty());
}

}  // namespace
}  // namespace mascot
