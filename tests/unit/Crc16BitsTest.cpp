#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "data/Crc16Bits.h"

namespace mascot {
namespace {

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// The catalogued CRC-16/CCITT-FALSE, byte by byte, written independently of the bit loop.
uint16_t CcittFalse(std::span<const uint8_t> bytes) {
    uint16_t crc = 0xFFFF;
    for (uint8_t byte : bytes) {
        crc ^= static_cast<uint16_t>(byte << 8);
        for (int k = 0; k < 8; ++k)
            crc = static_cast<uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    return crc;
}

TEST(Crc16BitsTest, CheckValues) {
    struct Case {
        std::string_view text;
        uint16_t bits;
        uint16_t crc;
    };
    const Case cases[] = {
        {"123456789", 72, 0x29B1}, {"abc", 24, 0x514A}, {"abc", 20, 0x9F00},
        {"", 0, 0xFFFF},           {"abc", 0, 0xFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" over " << c.bits << " bits");
        EXPECT_EQ(Crc16Bits(Bytes(c.text), c.bits), c.crc);
    }
}

TEST(Crc16BitsTest, WholeBytesMatchCcittFalseUpTo256Bytes) {
    std::vector<uint8_t> bytes(256);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 37 + 11);
    for (size_t length : {1u, 2u, 13u, 255u, 256u}) {
        SCOPED_TRACE(length);
        EXPECT_EQ(Crc16Bits(bytes, static_cast<uint16_t>(8 * length)),
                  CcittFalse(std::span(bytes).first(length)));
    }
}

// Bit j comes from byte (j / 8) mod 256: past 2048 bits the range starts over at its first byte.
TEST(Crc16BitsTest, BytePositionWrapsAt256) {
    std::vector<uint8_t> bytes(256);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i ^ 0x5A);
    std::vector<uint8_t> repeated(bytes);
    repeated.insert(repeated.end(), bytes.begin(), bytes.begin() + 3);
    EXPECT_EQ(Crc16Bits(bytes, 8 * 259), CcittFalse(repeated));
    EXPECT_EQ(Crc16BitsSpan(8 * 259), 256u);
    EXPECT_EQ(Crc16BitsSpan(65535), 256u);
    EXPECT_TRUE(Crc16Bits(bytes, 65535));
}

// A range shorter than the bits need gives nothing rather than reading on.
TEST(Crc16BitsTest, ShortRangeGivesNothing) {
    const std::vector<uint8_t> four = {'K', 'Q', 0x2E, 0x01};
    EXPECT_EQ(Crc16BitsSpan(34), 5u);
    EXPECT_FALSE(Crc16Bits(four, 34));
    EXPECT_TRUE(Crc16Bits(four, 32));
    EXPECT_FALSE(Crc16Bits({}, 1));
}

// The header checksum sees only the magic, the version and the top two bits of byte 4.
TEST(Crc16BitsTest, HeaderBitsIgnoreTheLowBitsOfByteFour) {
    std::vector<uint8_t> a = {'K', 'Q', 0x2E, 0x01, 0x24, 0x00};
    std::vector<uint8_t> b = {'K', 'Q', 0x2E, 0x01, 0x3F, 0x77};
    EXPECT_EQ(Crc16Bits(a, 34), Crc16Bits(b, 34));
    b[4] = 0x64;  // bit 6 of byte 4 is the 34th bit
    EXPECT_NE(Crc16Bits(a, 34), Crc16Bits(b, 34));
}

}  // namespace
}  // namespace mascot
