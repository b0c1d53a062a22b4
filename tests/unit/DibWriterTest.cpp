#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "data/ByteReader.h"
#include "data/ContainerCheck.h"
#include "data/DibWriter.h"

namespace mascot {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes BitsOf(const Bytes& dib, size_t tableEntries) {
    return Bytes(dib.begin() + 40 + 4 * static_cast<std::ptrdiff_t>(tableEntries), dib.end());
}

// A reference unpacker for the packed mask stream, written from the format's table.
Bytes Unpack(const Bytes& stream, size_t wanted) {
    Bytes out;
    for (size_t i = 0; i < stream.size() && out.size() < wanted;) {
        const uint8_t b = stream[i++];
        if ((b == 0xCC || b == 0x33) && i < stream.size()) {
            const uint8_t n = stream[i++];
            if (n == 0)
                out.push_back(b);
            else
                out.insert(out.end(), n, b == 0xCC ? 0x00 : 0xFF);
        } else {
            out.push_back(b);
        }
    }
    out.resize(std::min(out.size(), wanted));
    return out;
}

TEST(DibWriterTest, HeaderFields) {
    const uint32_t palette[] = {0x112233, 0x445566};
    const Bytes dib = MakeIndexedDib(3, 2, 4, palette, Bytes{1, 2, 3, 4, 5, 6});
    ASSERT_EQ(dib.size(), 40u + 64 + 8);
    EXPECT_EQ(LoadU32(&dib[0]), 40u);
    EXPECT_EQ(LoadU32(&dib[4]), 3u);
    EXPECT_EQ(LoadU32(&dib[8]), 2u);
    EXPECT_EQ(LoadU16(&dib[12]), 1);
    EXPECT_EQ(LoadU16(&dib[14]), 4);
    EXPECT_EQ(LoadU32(&dib[16]), 0u);
    EXPECT_EQ(LoadU32(&dib[32]), 0u);  // colours used: the full table is always there
    EXPECT_EQ((Bytes(dib.begin() + 40, dib.begin() + 48)), (Bytes{0x33, 0x22, 0x11, 0, 0x66, 0x55, 0x44, 0}));
    EXPECT_EQ(dib[48], 0);  // entries past the given palette stay black
}

// Rows are stored bottom-up, each padded to 4 bytes, pixels packed from the high bits down.
TEST(DibWriterTest, RowsBottomUpAndPadded) {
    struct Case {
        const char* what;
        Bytes dib;
        size_t entries;
        Bytes bits;
    };
    const uint32_t rgb[] = {0x010203, 0x040506, 0x070809, 0x0A0B0C};
    const Case cases[] = {
        {"4-bit", MakeIndexedDib(3, 2, 4, {}, Bytes{1, 2, 3, 4, 5, 6}), 16,
         Bytes{0x45, 0x60, 0, 0, 0x12, 0x30, 0, 0}},
        {"8-bit", MakeIndexedDib(2, 2, 8, {}, Bytes{9, 8, 7, 6}), 256, Bytes{7, 6, 0, 0, 9, 8, 0, 0}},
        {"1-bit mask", MakeMaskDib(10, 2, Bytes{0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 5, 5, 5, 5, 5, 5, 5, 5, 0, 5}),
         2, Bytes{0xFF, 0x40, 0, 0, 0x40, 0x80, 0, 0}},
        {"24-bit", MakeRgbDib(1, 2, std::span(rgb).first(2)), 0, Bytes{6, 5, 4, 0, 3, 2, 1, 0}},
        {"missing pixels are 0", MakeIndexedDib(2, 1, 8, {}, Bytes{3}), 256, Bytes{3, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(BitsOf(c.dib, c.entries), c.bits);
    }
    EXPECT_EQ(DibRowStride(1, 24), 4u);
    EXPECT_EQ(DibRowStride(32, 1), 4u);
    EXPECT_EQ(DibRowStride(33, 1), 8u);
    EXPECT_EQ(DibRowStride(0, 8), 0u);
}

TEST(DibWriterTest, PackMaskBits) {
    struct Case {
        Bytes rows;
        Bytes stream;
    };
    const Case cases[] = {
        {{0x00, 0x00, 0x00, 0x41, 0x33}, {0xCC, 0x03, 0x41, 0x33, 0x00}},
        {{0xFF, 0xFF, 0xFF, 0xFF}, {0x33, 0x04}},
        {{0xCC, 0x00}, {0xCC, 0x00, 0xCC, 0x01}},
        {Bytes(300, 0x00), {0xCC, 0xFF, 0xCC, 45}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows.size());
        EXPECT_EQ(PackMaskBits(c.rows), c.stream);
        EXPECT_EQ(Unpack(c.stream, c.rows.size()), c.rows);
    }
    // The format's own examples of unpacking, through the checker's counter.
    EXPECT_EQ(Unpack({0xCC, 0x03, 0x41, 0x33, 0x00}, 5), (Bytes{0, 0, 0, 0x41, 0x33}));
    EXPECT_EQ(Unpack({0x33, 0x09}, 4), Bytes(4, 0xFF));
    EXPECT_EQ(PackedMaskYield(Bytes{0x33, 0x09}, 4), 4u);
    EXPECT_EQ(PackedMaskYield(Bytes{0xCC, 0x03, 0x41, 0x33, 0x00}, 9), 5u);
    EXPECT_EQ(PackedMaskYield(Bytes{0x41, 0xCC}, 9), 1u);  // a run marker without its count
}

TEST(DibWriterTest, PackedMaskRoundTrips) {
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        Bytes pixels(40 * 9);
        for (uint8_t& p : pixels)
            p = random() % 5 == 0;
        const Bytes plain = MakeMaskDib(40, 9, pixels);
        const Bytes packed = MakePackedMaskDib(40, 9, pixels);
        EXPECT_EQ(LoadU32(&packed[16]), 255u);
        EXPECT_EQ(Unpack(BitsOf(packed, 2), 8 * 9), BitsOf(plain, 2));
    }
}

}  // namespace
}  // namespace mascot
