#include <gtest/gtest.h>

#include "render/MaskRegion.h"
#include "support/DibBuilder.h"
#include "support/ImageCompare.h"

namespace mascot {
namespace {

using test::MakeMask;
using test::MakePackedMask;
using test::MaskPixels;
using test::ParseOrDie;
using test::RegionOfPixels;

using Bytes = std::vector<uint8_t>;

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(UnpackMaskTest, FollowsThePackedTableAndStopsAtTheLength) {
    struct Case {
        const char* what;
        Bytes stream;
        size_t length;
        Bytes output;
        size_t produced;
    };
    const Case cases[] = {
        {"runs, literal, escaped marker",
         {0xCC, 0x03, 0x41, 0x33, 0x00},
         5,
         {0x00, 0x00, 0x00, 0x41, 0x33},
         5},
        {"run cut short", {0x33, 0x09}, 4, {0xFF, 0xFF, 0xFF, 0xFF}, 4},
        {"later bytes ignored", {0xCC, 0x02, 0x41, 0x42}, 3, {0x00, 0x00, 0x41}, 3},
        {"escaped inside marker", {0xCC, 0x00, 0x33, 0x00, 0x00, 0xFF}, 4, {0xCC, 0x33, 0x00, 0xFF}, 4},
        {"run of 255", {0xCC, 0xFF, 0x7E}, 256, Concat(Bytes(255, 0x00), {0x7E}), 256},
        {"stream ends early", {0x12, 0xCC, 0x02}, 6, {0x12, 0x00, 0x00, 0xFF, 0xFF, 0xFF}, 3},
        {"marker as last byte", {0x12, 0xCC}, 3, {0x12, 0xFF, 0xFF}, 1},
        {"empty stream", {}, 2, {0xFF, 0xFF}, 0},
        {"nothing wanted", {0xCC, 0x05}, 0, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes output(c.length, 0xA5);
        EXPECT_EQ(UnpackMask(output, c.stream), c.produced);
        EXPECT_EQ(output, c.output);
        EXPECT_EQ(UnpackedLength(c.stream, c.length), c.produced);
    }
}

TEST(UnpackMaskTest, NeverReadsPastTheStream) {
    // Every prefix of a stream, given as its own buffer, so that the sanitizer catches a read
    // one byte too far.
    const Bytes stream = {0xCC, 0x04, 0x33, 0x00, 0x33, 0x07, 0x55, 0xCC};
    for (size_t cut = 0; cut <= stream.size(); ++cut) {
        SCOPED_TRACE(cut);
        const std::unique_ptr<uint8_t[]> prefix(new uint8_t[cut]);
        std::copy(stream.begin(), stream.begin() + ptrdiff_t(cut), prefix.get());
        Bytes output(20);
        UnpackMask(output, std::span<const uint8_t>(prefix.get(), cut));
        EXPECT_LE(UnpackedLength(std::span<const uint8_t>(prefix.get(), cut), 20), 13u);
    }
}

TEST(MaskRegionTest, RowLengthsAreWholeWordsAndPixelZeroIsAtTheLastRowsFirstByte) {
    // The bits are written out by hand: all pixels outside except (0, 0).
    struct Case {
        int32_t width;
        int32_t height;
        uint16_t bitCount;
        int64_t rowPixels;
        size_t rowBytes;
        uint8_t firstByte;  // the last row's first byte, holding pixel (0, 0)
        uint8_t outside;
    };
    const Case cases[] = {
        {112, 3, 1, 128, 16, 0x7F, 1},
        {10, 3, 4, 16, 8, 0x0F, 15},
        {1, 2, 1, 32, 4, 0x7F, 1},
        {8, 2, 4, 8, 4, 0x0F, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " pixels at " << c.bitCount << " bits");
        Bytes bytes = test::DibHeader(c.width, c.height, c.bitCount, 0);
        const size_t rows = bytes.size();
        bytes.resize(rows + c.rowBytes * size_t(c.height), 0xFF);
        bytes[rows + c.rowBytes * size_t(c.height - 1)] = c.firstByte;

        CMaskRgn mask;
        ASSERT_TRUE(mask.BuildFromMask(ParseOrDie(bytes)));
        EXPECT_EQ(mask.RowLength(), c.rowPixels);
        EXPECT_EQ(mask.Width(), c.width);
        EXPECT_EQ(mask.Height(), c.height);
        EXPECT_EQ(mask.MaskPixel(0, 0), 0);
        EXPECT_EQ(mask.MaskPixel(1, 0), c.outside);
        EXPECT_EQ(mask.MaskPixel(0, 1), c.outside);
        EXPECT_EQ(*mask.GetRegion(), Region::FromRect(Rect{0, 0, 1, 1}));
        // One byte fewer than the rows need: the plain mask cannot be read.
        bytes.pop_back();
        EXPECT_FALSE(mask.BuildFromMask(ParseOrDie(bytes)));
        EXPECT_FALSE(mask.HasRegion());
    }
}

TEST(MaskRegionTest, FourBitPixelsTakeTheHighNibbleFirst) {
    const std::vector<std::string> rows = {"0123456789", "ABCDEFX.12"};
    const Bytes bytes = MakeMask(10, 2, 4, MaskPixels(rows, 4));
    CMaskRgn mask;
    mask.BuildFromMask(ParseOrDie(bytes));
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 10; ++x) {
            const char c = rows[size_t(y)][size_t(x)];
            const int expected = c == 'X' ? 0 : c == '.' ? 15 : std::stoi(std::string(1, c), nullptr, 16);
            EXPECT_EQ(mask.MaskPixel(x, y), expected) << "(" << x << ", " << y << ")";
        }
    EXPECT_EQ(mask.MaskPixel(10, 0), 15);  // past the width
    EXPECT_EQ(mask.MaskPixel(-1, 0), 15);
    // Only value 0 is inside: (0, 0) and (6, 1).
    Region expected = Region::FromRect(Rect{0, 0, 1, 1});
    expected.AddRect(Rect{6, 1, 7, 2});
    EXPECT_EQ(*mask.GetRegion(), expected);
}

TEST(MaskRegionTest, ATopRowRunGivesExactlyItsRectangle) {
    const Bytes bytes =
        MakeMask(32, 3, 1, [](int32_t x, int32_t y) { return y == 0 && x >= 10 && x <= 20 ? 0u : 1u; });
    CMaskRgn mask;
    ASSERT_TRUE(mask.BuildFromMask(ParseOrDie(bytes)));
    EXPECT_EQ(mask.GetRegion()->Rects(), (std::vector<Rect>{{10, 0, 21, 1}}));
}

// Masks against the one-rectangle-per-pixel region. Padding bits past the width are 0 (inside)
// so that a scan running past the width shows.
TEST(MaskRegionTest, RegionsMatchTheirPixels) {
    struct Case {
        const char* what;
        std::vector<std::string> rows;
        uint16_t bitCount;
    };
    const Case cases[] = {
        {"runs at both edges", {"XX....XXX", "X.X.X.X.X", ".........", "XXXXXXXXX"}, 1},
        {"whole bytes in and out",
         {"XXXXXXXXXXXXXXXX........XXXXXXXX.", "........XXXXXXXX........XXXXXXXXX"},
         1},
        {"equal rows merge", {"..XX..", "..XX..", "..XX..", "X....X"}, 1},
        {"4-bit with values", {"X1X2XXX.", "0000F000", "........"}, 4},
        {"4-bit odd width", {"XXXXX", "X...X", "XXXXX"}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int32_t width = int32_t(c.rows[0].size());
        const int32_t height = int32_t(c.rows.size());
        const test::PixelFn pixel = MaskPixels(c.rows, c.bitCount);
        CMaskRgn mask;
        ASSERT_TRUE(mask.BuildFromMask(ParseOrDie(MakeMask(width, height, c.bitCount, pixel, 0x00))));
        EXPECT_EQ(*mask.GetRegion(),
                  RegionOfPixels(width, height, [&](int32_t x, int32_t y) { return pixel(x, y) == 0; }));
    }
}

TEST(MaskRegionTest, PackedAndPlainMasksGiveIdenticalRegions) {
    struct Case {
        const char* what;
        int32_t width;
        int32_t height;
        test::PixelFn pixel;
    };
    const Case cases[] = {
        {"mascot outline", 112, 160,
         [](int32_t x, int32_t y) { return test::MascotOutline(x, y, 112, 160) ? 0u : 1u; }},
        // Stripes whose bytes are the marker values 0xCC and 0x33 themselves.
        {"marker-valued bytes", 40, 6,
         [](int32_t x, int32_t y) { return uint32_t(((y % 2 ? 0x33 : 0xCC) >> (7 - x % 8)) & 1); }},
        {"long runs", 600, 3, [](int32_t x, int32_t) { return x > 550 ? 1u : 0u; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CMaskRgn plain;
        CMaskRgn packed;
        ASSERT_TRUE(plain.BuildFromMask(ParseOrDie(MakeMask(c.width, c.height, 1, c.pixel, 0xFF))));
        const Bytes packedBytes = MakePackedMask(c.width, c.height, c.pixel, 0xFF);
        ASSERT_TRUE(packed.BuildFromMask(ParseOrDie(packedBytes)));
        EXPECT_EQ(*packed.GetRegion(), *plain.GetRegion());
        EXPECT_EQ(*plain.GetRegion(), RegionOfPixels(c.width, c.height, [&](int32_t x, int32_t y) {
            return c.pixel(x, y) == 0;
        }));
    }
}

TEST(MaskRegionTest, RowsACutPackedStreamDoesNotReachAreOutside) {
    // 8 x 4, everything inside; the rows are stored bottom-up, 4 bytes each.
    const auto all = [](int32_t, int32_t) { return 0u; };
    Bytes bytes = MakePackedMask(8, 4, all);
    ASSERT_EQ(bytes.size(), 40u + 8 + 2);  // one run of 16 zero bytes
    bytes[40 + 8 + 1] = 6;                 // now the stream produces only 6 bytes
    CMaskRgn mask;
    ASSERT_TRUE(mask.BuildFromMask(ParseOrDie(bytes)));
    // Bottom row (y = 3) complete, the next one up only its first two bytes: pixels 0 to 7 of
    // the row's 32, so all 8 pixels of the mask's width.
    EXPECT_EQ(mask.GetRegion()->Rects(), (std::vector<Rect>{{0, 2, 8, 4}}));

    bytes[40 + 8 + 1] = 1;  // only the first byte of the bottom row: 8 pixels of 8
    ASSERT_TRUE(mask.BuildFromMask(ParseOrDie(bytes)));
    EXPECT_EQ(mask.GetRegion()->Rects(), (std::vector<Rect>{{0, 3, 8, 4}}));

    bytes.resize(40 + 8);  // no stream at all
    EXPECT_FALSE(mask.BuildFromMask(ParseOrDie(bytes)));
}

TEST(MaskRegionTest, AHugePackedMaskWithATinyStreamStaysCheap) {
    constexpr int32_t kHuge = 0x7FFFFFFF;
    Bytes bytes = test::DibHeader(kHuge, kHuge, 1, kCompressionPackedMask);
    bytes.push_back(kPackedInside);
    bytes.push_back(5);  // 40 inside pixels at the start of the bottom row
    CMaskRgn mask;
    ASSERT_TRUE(mask.BuildFromMask(ParseOrDie(bytes)));
    EXPECT_EQ(mask.GetRegion()->Rects(), (std::vector<Rect>{{0, kHuge - 1, 40, kHuge}}));
    EXPECT_EQ(mask.MaskPixel(0, kHuge - 1), 1);  // the unpacked buffer went with the build
}

TEST(MaskRegionTest, NoRegionWithoutAnInsidePixelOrForOtherDepths) {
    struct Case {
        const char* what;
        Bytes bytes;
    };
    const auto none = [](int32_t, int32_t) { return 1u; };
    const auto all = [](int32_t, int32_t) { return 0u; };
    const Case cases[] = {
        {"1-bit, all outside", MakeMask(20, 5, 1, none)},
        {"4-bit, all outside", MakeMask(20, 5, 4, none)},
        {"packed, all outside", MakePackedMask(20, 5, none)},
        {"8-bit", MakeMask(20, 5, 8, all)},
        {"24-bit", MakeMask(20, 5, 24, all)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CMaskRgn mask;
        EXPECT_FALSE(mask.BuildFromMask(ParseOrDie(c.bytes)));
        EXPECT_FALSE(mask.HasRegion());
    }
}

TEST(MaskRegionTest, OtherCompressionValuesReadAsPlainBits) {
    const std::vector<std::string> rows = {"X..X", ".XX."};
    for (uint16_t bitCount : {uint16_t{1}, uint16_t{4}}) {
        for (uint32_t compression : {1u, 2u, 254u, 255u, 256u}) {
            if (bitCount == 1 && compression == kCompressionPackedMask)
                continue;  // the packed form, tested above
            SCOPED_TRACE(::testing::Message() << bitCount << " bits, compression " << compression);
            Bytes bytes = MakeMask(4, 2, bitCount, MaskPixels(rows, bitCount));
            test::PutU32(bytes, 16, compression);
            CMaskRgn mask;
            ASSERT_TRUE(mask.BuildFromMask(ParseOrDie(bytes)));
            EXPECT_EQ(*mask.GetRegion(), RegionOfPixels(4, 2, [&](int32_t x, int32_t y) {
                return rows[size_t(y)][size_t(x)] == 'X';
            }));
        }
    }
}

}  // namespace
}  // namespace mascot
