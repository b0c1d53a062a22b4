#include "data/Crc16Bits.h"

#include <algorithm>

namespace mascot {

size_t Crc16BitsSpan(uint16_t bitCount) {
    return std::min<size_t>((bitCount + 7u) / 8u, 256u);
}

std::optional<uint16_t> Crc16Bits(std::span<const uint8_t> bytes, uint16_t bitCount) {
    if (bytes.size() < Crc16BitsSpan(bitCount))
        return std::nullopt;
    uint16_t r = 0xFFFF;
    for (uint32_t j = 0; j < bitCount; ++j) {
        const uint8_t byte = bytes[(j / 8u) % 256u];
        const unsigned input = (byte >> (7u - j % 8u)) & 1u;
        const unsigned feedback = input ^ (r >> 15);
        r = static_cast<uint16_t>(r << 1);
        if (feedback)
            r ^= 0x1021;
    }
    return r;
}

}  // namespace mascot
