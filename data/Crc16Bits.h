// The container's checksum: a CRC-16 with polynomial 0x1021 and start value 0xFFFF over a count
// of bits rather than bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace mascot {

// How many bytes from the start of the range a checksum over `bitCount` bits reads. Bit j comes
// from byte (j / 8) mod 256, so no count reaches past the first 256 bytes.
size_t Crc16BitsSpan(uint16_t bitCount);

// The checksum of the first `bitCount` bits of `bytes`, each byte read from its most
// significant bit down, no final inversion and no reflection. For a multiple of 8 bits up to
// 2048 it is CRC-16/CCITT-FALSE of those bytes. Nothing when `bytes` is shorter than
// Crc16BitsSpan(bitCount).
std::optional<uint16_t> Crc16Bits(std::span<const uint8_t> bytes, uint16_t bitCount);

}  // namespace mascot
