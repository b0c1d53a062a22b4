// Device-independent bitmaps made from pixel arrays, in the form frame images store them: a
// 40-byte header, the full colour table, then the rows bottom-up, each padded to 4 bytes. For
// the container writer, the tools and test fixtures.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace mascot {

// Pixels are given top row first, `width` per row. Missing pixels count as 0 and extra ones are
// ignored; so are palette entries beyond 2, 16 or 256. Colours are 0x00RRGGBB.

// A 1-, 4- or 8-bit image: `indices` are palette indices.
std::vector<uint8_t> MakeIndexedDib(int32_t width, int32_t height, uint16_t bitCount,
                                    std::span<const uint32_t> palette, std::span<const uint8_t> indices);
// A 24-bit image without a colour table.
std::vector<uint8_t> MakeRgbDib(int32_t width, int32_t height, std::span<const uint32_t> pixels);
// A 1-bit mask: a pixel of 0 lies inside the shape, anything else outside (stored as 1).
std::vector<uint8_t> MakeMaskDib(int32_t width, int32_t height, std::span<const uint8_t> pixels);
// The same mask with its rows packed (compression 255).
std::vector<uint8_t> MakePackedMaskDib(int32_t width, int32_t height, std::span<const uint8_t> pixels);

// Packs mask rows: runs of 0x00 become 0xCC n, runs of 0xFF become 0x33 n (n up to 255), a
// literal 0xCC or 0x33 becomes that byte followed by 0x00, any other byte stays as it is.
std::vector<uint8_t> PackMaskBits(std::span<const uint8_t> rows);

// Bytes in one stored row of `width` pixels at `bitCount` bits.
uint32_t DibRowStride(int32_t width, uint16_t bitCount);

}  // namespace mascot
