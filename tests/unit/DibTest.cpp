#include <gtest/gtest.h>

#include "render/Dib.h"
#include "support/DibBuilder.h"

namespace mascot {
namespace {

using test::DibHeader;
using test::PutU32;

TEST(DibTest, FindsTheColourTableAndTheBitsBehindTheHeader) {
    struct Case {
        uint16_t bitCount;
        size_t tableBytes;
    };
    const Case cases[] = {{1, 8}, {4, 64}, {8, 1024}, {24, 0}, {16, 0}, {32, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bitCount);
        std::vector<uint8_t> bytes = DibHeader(3, 2, c.bitCount, 0);
        bytes.push_back(0xAB);  // first byte of the bits
        const std::optional<Dib> dib = ParseDib(bytes);
        ASSERT_TRUE(dib);
        EXPECT_EQ(dib->width, 3);
        EXPECT_EQ(dib->height, 2);
        EXPECT_EQ(dib->bitCount, c.bitCount);
        EXPECT_EQ(dib->colorTable.data(), bytes.data() + 40);
        EXPECT_EQ(dib->colorTable.size(), c.tableBytes);
        EXPECT_EQ(dib->bits.data(), bytes.data() + 40 + c.tableBytes);
        EXPECT_EQ(dib->bits.size(), 1u);
    }
}

TEST(DibTest, RowsArePaddedToWholeWords) {
    struct Case {
        int32_t width;
        uint16_t bitCount;
        uint64_t rowBytes;
    };
    const Case cases[] = {{112, 1, 16}, {1, 1, 4},     {33, 1, 8},  {10, 4, 8},  {8, 4, 4},
                          {5, 8, 8},    {112, 8, 112}, {3, 24, 12}, {4, 24, 12}, {112, 24, 336}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " pixels at " << c.bitCount << " bits");
        const std::vector<uint8_t> bytes = DibHeader(c.width, 1, c.bitCount, 0);
        EXPECT_EQ(ParseDib(bytes)->RowBytes(), c.rowBytes);
    }
}

TEST(DibTest, HasAllRowsOnlyWhenEveryRowIsInside) {
    std::vector<uint8_t> bytes = DibHeader(5, 3, 8, 0);
    bytes.resize(bytes.size() + 3 * 8 - 1);
    EXPECT_FALSE(ParseDib(bytes)->HasAllRows());
    bytes.push_back(0);
    EXPECT_TRUE(ParseDib(bytes)->HasAllRows());

    // A hostile size whose byte count does not fit in 64 bits must not wrap around.
    const std::vector<uint8_t> huge = DibHeader(0x7FFFFFFF, 0x7FFFFFFF, 24, 0);
    EXPECT_FALSE(ParseDib(huge)->HasAllRows());
}

TEST(DibTest, RejectsFormsItDoesNotSupportAndSaysWhy) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        DibFault fault;
    };
    std::vector<uint8_t> core = DibHeader(4, 4, 8, 0);
    PutU32(core, 0, 12);
    std::vector<uint8_t> v5 = DibHeader(4, 4, 8, 0);
    PutU32(v5, 0, 124);
    std::vector<uint8_t> highBits = DibHeader(4, 4, 8, 0);
    PutU32(highBits, 0, 0x10028);  // low 16 bits say 40, the field does not
    std::vector<uint8_t> shortTable = DibHeader(4, 4, 8, 0);
    shortTable.resize(40 + 1023);
    std::vector<uint8_t> cut = DibHeader(4, 4, 24, 0);
    cut.resize(39);
    const Case cases[] = {
        {"39 bytes", cut, DibFault::kTruncatedHeader},
        {"nothing", {}, DibFault::kTruncatedHeader},
        {"core header", core, DibFault::kHeaderSize},
        {"v5 header", v5, DibFault::kHeaderSize},
        {"header size 0x10028", highBits, DibFault::kHeaderSize},
        {"width 0", DibHeader(0, 4, 24, 0), DibFault::kNonPositiveSize},
        {"height 0", DibHeader(4, 0, 24, 0), DibFault::kNonPositiveSize},
        {"top-down", DibHeader(4, -4, 24, 0), DibFault::kNonPositiveSize},
        {"negative width", DibHeader(-4, 4, 24, 0), DibFault::kNonPositiveSize},
        {"colour table cut short", shortTable, DibFault::kTruncatedColorTable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DibFault fault = DibFault::kNone;
        EXPECT_FALSE(ParseDib(c.bytes, &fault));
        EXPECT_EQ(fault, c.fault);
    }
}

}  // namespace
}  // namespace mascot
