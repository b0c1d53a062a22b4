#include <gtest/gtest.h>

#include "render/DrawDib.h"
#include "support/DibBuilder.h"
#include "support/ImageCompare.h"

namespace mascot {
namespace {

using test::MakeDib;
using test::ParseOrDie;
using test::SameSurface;

constexpr int32_t kFrameWidth = 112;
constexpr int32_t kFrameHeight = 160;

std::vector<uint32_t> RampTable() {
    std::vector<uint32_t> table;
    for (uint32_t k = 0; k < 256; ++k)
        table.push_back(Rgb(uint8_t(k), uint8_t(255 - k), uint8_t(k * 7)));
    return table;
}

// Paints `pixel` (colours, not indexes) over the rectangle at (left, top) of `surface`, pixel by
// pixel and without any clipping arithmetic: what a correct draw must produce.
void PaintExpected(Surface& surface, int64_t left, int64_t top, int32_t width, int32_t height,
                   const test::PixelFn& colour) {
    for (int32_t y = 0; y < surface.Height(); ++y)
        for (int32_t x = 0; x < surface.Width(); ++x)
            if (x >= left && x < left + width && y >= top && y < top + height)
                surface.SetPixel(x, y, colour(int32_t(x - left), int32_t(y - top)));
}

class DrawDibTest : public ::testing::Test {
protected:
    std::vector<uint32_t> m_table = RampTable();
    test::PixelFn m_frameIndex = [](int32_t x, int32_t y) { return uint32_t(x + 3 * y) & 0xFF; };
    test::PixelFn m_frameColour = [this](int32_t x, int32_t y) { return m_table[m_frameIndex(x, y)]; };
    std::vector<uint8_t> m_frame = MakeDib(kFrameWidth, kFrameHeight, 8, m_table, m_frameIndex);
    test::PixelFn m_overlayColour = [](int32_t x, int32_t y) {
        return Rgb(uint8_t(8 * x), uint8_t(8 * y), 0x55);
    };
    std::vector<uint8_t> m_overlay = MakeDib(32, 32, 24, {}, m_overlayColour);
};

TEST_F(DrawDibTest, FullFrameAndOverlayReplaceExactlyTheirRectangles) {
    // A new back buffer is black; the full frame covers all of it.
    Surface surface(kFrameWidth, kFrameHeight);
    Surface expected(kFrameWidth, kFrameHeight);
    EXPECT_TRUE(DrawDibAt(surface, 0, 0, ParseOrDie(m_frame)));
    PaintExpected(expected, 0, 0, kFrameWidth, kFrameHeight, m_frameColour);
    ASSERT_TRUE(SameSurface("frame", expected, surface));

    // The 32 x 32 overlay at (48, 48) changes columns and rows 48 to 79 and nothing else.
    EXPECT_TRUE(DrawDibAt(surface, 48, 48, ParseOrDie(m_overlay)));
    PaintExpected(expected, 48, 48, 32, 32, m_overlayColour);
    EXPECT_TRUE(SameSurface("overlay", expected, surface));
    EXPECT_EQ(surface.Pixel(47, 47), m_frameColour(47, 47));
    EXPECT_EQ(surface.Pixel(80, 80), m_frameColour(80, 80));
    EXPECT_EQ(surface.Pixel(79, 79), m_overlayColour(31, 31));
}

TEST_F(DrawDibTest, LaterOverlayWinsWhereTheyOverlap) {
    Surface surface(kFrameWidth, kFrameHeight);
    Surface expected(kFrameWidth, kFrameHeight);
    const test::PixelFn red = [](int32_t, int32_t) { return 0u; };
    const std::vector<uint8_t> first = MakeDib(32, 32, 8, {Rgb(255, 0, 0)}, red);
    DrawDibAt(surface, 40, 40, ParseOrDie(first));
    DrawDibAt(surface, 48, 48, ParseOrDie(m_overlay));
    PaintExpected(expected, 40, 40, 32, 32, [](int32_t, int32_t) { return Rgb(255, 0, 0); });
    PaintExpected(expected, 48, 48, 32, 32, m_overlayColour);
    EXPECT_TRUE(SameSurface("overlap", expected, surface));
}

// Written out by hand, bottom row first: the top row of the picture is the last row in memory,
// and 24-bit pixels are blue, green, red.
TEST_F(DrawDibTest, RowsAreBottomUpAndTriplesAreBlueGreenRed) {
    std::vector<uint8_t> bytes = test::DibHeader(2, 2, 24, 0);
    const uint8_t rows[] = {0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0, 0,   // bottom row, padded to 8
                            0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0, 0};  // top row
    bytes.insert(bytes.end(), std::begin(rows), std::end(rows));
    Surface surface(4, 4, 0x777777);
    ASSERT_TRUE(DrawDibAt(surface, 1, 1, ParseOrDie(bytes)));
    Surface expected(4, 4, 0x777777);
    expected.SetPixel(1, 1, 0x102030);
    expected.SetPixel(2, 1, 0x405060);
    expected.SetPixel(1, 2, 0x010203);
    expected.SetPixel(2, 2, 0x040506);
    EXPECT_TRUE(SameSurface("orientation", expected, surface));
}

TEST_F(DrawDibTest, IndexedDepthsLookUpTheirColourTable) {
    struct Case {
        uint16_t bitCount;
        int32_t width;
    };
    // Widths that leave part of a byte and part of a word unused.
    const Case cases[] = {{1, 13}, {1, 40}, {4, 5}, {4, 9}, {8, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.bitCount << " bits, " << c.width << " wide");
        const uint32_t entries = ColorTableEntries(c.bitCount);
        const test::PixelFn index = [entries](int32_t x, int32_t y) {
            return uint32_t(x * 5 + y * 3) % entries;
        };
        std::vector<uint32_t> table;
        for (uint32_t k = 0; k < entries; ++k)
            table.push_back(Rgb(uint8_t(k * 16 + 1), uint8_t(200 - k), uint8_t(k ^ 0x5A)));
        const std::vector<uint8_t> bytes = MakeDib(c.width, 3, c.bitCount, table, index);

        Surface surface(c.width + 2, 5, 0xABCDEF);
        ASSERT_TRUE(DrawDibAt(surface, 1, 1, ParseOrDie(bytes)));
        Surface expected(c.width + 2, 5, 0xABCDEF);
        PaintExpected(expected, 1, 1, c.width, 3, [&](int32_t x, int32_t y) { return table[index(x, y)]; });
        EXPECT_TRUE(SameSurface("indexed", expected, surface));
    }
}

TEST_F(DrawDibTest, ClipsAtTheRightAndBottomEdges) {
    const Dib overlay = ParseOrDie(m_overlay);
    struct Case {
        uint16_t x;
        uint16_t y;
    };
    const Case cases[] = {{96, 150},  {111, 159}, {80, 128},      {112, 0},   {0, 160},
                          {0, 65535}, {65535, 0}, {65535, 65535}, {30000, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "at (" << c.x << ", " << c.y << ")");
        Surface surface(kFrameWidth, kFrameHeight);
        DrawDibAt(surface, 0, 0, ParseOrDie(m_frame));
        Surface expected = surface;
        EXPECT_TRUE(DrawDibAt(surface, c.x, c.y, overlay));
        PaintExpected(expected, c.x, c.y, 32, 32, m_overlayColour);
        EXPECT_TRUE(SameSurface("clipped", expected, surface));
    }
}

TEST_F(DrawDibTest, FormsItCannotDrawLeaveTheSurfaceAlone) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> shortRows = MakeDib(4, 4, 8, m_table, m_frameIndex);
    shortRows.pop_back();
    std::vector<uint8_t> rle = MakeDib(4, 4, 8, m_table, m_frameIndex);
    test::PutU32(rle, 16, 1);
    // Long enough to pass for plain rows: only its compression makes it undrawable.
    std::vector<uint8_t> packedMask = test::MakePackedMask(8, 8, [](int32_t, int32_t) { return 0u; });
    packedMask.resize(packedMask.size() + 64);
    const Case cases[] = {
        {"rows cut short", shortRows},
        {"run-length compressed", rle},
        {"packed mask", packedMask},
        {"16 bits", MakeDib(4, 4, 16, {}, [](int32_t, int32_t) { return 0u; })},
        {"32 bits", MakeDib(4, 4, 32, {}, [](int32_t, int32_t) { return 0u; })},
        {"2 bits", MakeDib(4, 4, 2, {}, [](int32_t, int32_t) { return 0u; })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<Dib> dib = ParseDib(c.bytes);
        ASSERT_TRUE(dib);
        Surface surface(8, 8, 0x123456);
        EXPECT_FALSE(DrawDibAt(surface, 0, 0, *dib));
        EXPECT_TRUE(SameSurface("untouched", Surface(8, 8, 0x123456), surface));
    }
}

}  // namespace
}  // namespace mascot
