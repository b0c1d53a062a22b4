// Small device-independent bitmaps for tests and benchmarks: the bytes from the 40-byte header
// on, as a frame image carries them behind its file header.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "render/Dib.h"
#include "render/MaskRegion.h"
#include "render/Region.h"

namespace mascot::test {

// Pixel (x, y), y = 0 being the top row: a colour-table index for 1, 4 and 8 bits per pixel, a
// 0xRRGGBB colour for 24 bits.
using PixelFn = std::function<uint32_t(int32_t x, int32_t y)>;

inline void PutU16(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

inline void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    PutU16(out, at, value & 0xFFFF);
    PutU16(out, at + 2, value >> 16);
}

// The 40-byte header followed by the colour table of `table` (0xRRGGBB entries, stored as blue,
// green, red, 0). The table is padded with black to the depth's full size.
inline std::vector<uint8_t> DibHeader(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
                                      const std::vector<uint32_t>& table = {}) {
    std::vector<uint8_t> out(kDibHeaderSize + 4 * size_t{ColorTableEntries(bitCount)}, 0);
    PutU32(out, 0, kDibHeaderSize);
    PutU32(out, 4, static_cast<uint32_t>(width));
    PutU32(out, 8, static_cast<uint32_t>(height));
    PutU16(out, 12, 1);
    PutU16(out, 14, bitCount);
    PutU32(out, 16, compression);
    for (size_t k = 0; k < table.size() && k < ColorTableEntries(bitCount); ++k) {
        out[kDibHeaderSize + 4 * k] = static_cast<uint8_t>(table[k]);
        out[kDibHeaderSize + 4 * k + 1] = static_cast<uint8_t>(table[k] >> 8);
        out[kDibHeaderSize + 4 * k + 2] = static_cast<uint8_t>(table[k] >> 16);
    }
    return out;
}

// Bottom-up rows padded to whole 32-bit words; padding bits are set to `padding` (1 or 0 bits
// everywhere), so that readers that look past the width are caught.
inline std::vector<uint8_t> DibRows(int32_t width, int32_t height, uint16_t bitCount, const PixelFn& pixel,
                                    uint8_t padding = 0) {
    const size_t stride = (size_t(width) * bitCount + 31) / 32 * 4;
    std::vector<uint8_t> rows(stride * size_t(height), padding);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = rows.data() + size_t(height - 1 - y) * stride;
        if (bitCount < 8)  // sub-byte pixels are or-ed in, so clear the used bits first
            for (int32_t bit = 0; bit < width * bitCount; ++bit)
                row[bit / 8] &= static_cast<uint8_t>(~(0x80 >> (bit % 8)));
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t value = pixel(x, y);
            if (bitCount == 24) {
                row[3 * x] = static_cast<uint8_t>(value);
                row[3 * x + 1] = static_cast<uint8_t>(value >> 8);
                row[3 * x + 2] = static_cast<uint8_t>(value >> 16);
            } else if (bitCount == 8) {
                row[x] = static_cast<uint8_t>(value);
            } else if (bitCount == 4) {
                row[x / 2] |= static_cast<uint8_t>((value & 0x0F) << ((x % 2) ? 0 : 4));
            } else {
                row[x / 8] |= static_cast<uint8_t>((value & 1) << (7 - x % 8));
            }
        }
    }
    return rows;
}

inline std::vector<uint8_t> MakeDib(int32_t width, int32_t height, uint16_t bitCount,
                                    const std::vector<uint32_t>& table, const PixelFn& pixel) {
    std::vector<uint8_t> bytes = DibHeader(width, height, bitCount, 0, table);
    const std::vector<uint8_t> rows = DibRows(width, height, bitCount, pixel);
    bytes.insert(bytes.end(), rows.begin(), rows.end());
    return bytes;
}

// The packed form of plain mask bytes: runs of 0x00 and 0xFF as marker and count, the marker
// bytes themselves escaped with a count of 0.
inline std::vector<uint8_t> PackMaskBytes(std::span<const uint8_t> plain) {
    std::vector<uint8_t> out;
    for (size_t at = 0; at < plain.size();) {
        const uint8_t byte = plain[at];
        if (byte == 0x00 || byte == 0xFF) {
            size_t run = 1;
            while (run < 255 && at + run < plain.size() && plain[at + run] == byte)
                ++run;
            out.push_back(byte == 0x00 ? kPackedInside : kPackedOutside);
            out.push_back(static_cast<uint8_t>(run));
            at += run;
            continue;
        }
        out.push_back(byte);
        if (byte == kPackedInside || byte == kPackedOutside)
            out.push_back(0);
        ++at;
    }
    return out;
}

// A mask drawn as text, top row first: 'X' is a pixel of value 0 (inside), '.' value 1 (or 15
// for 4-bit masks); a hex digit gives a 4-bit mask that exact value.
inline PixelFn MaskPixels(const std::vector<std::string>& rows, uint16_t bitCount = 1) {
    return [rows, bitCount](int32_t x, int32_t y) -> uint32_t {
        const char c = rows[size_t(y)][size_t(x)];
        if (c == 'X')
            return 0;
        if (c == '.')
            return bitCount == 4 ? 15 : 1;
        return static_cast<uint32_t>(std::stoul(std::string(1, c), nullptr, 16));
    };
}

// A plain mask image; `padding` fills the bits past the width of each row.
inline std::vector<uint8_t> MakeMask(int32_t width, int32_t height, uint16_t bitCount, const PixelFn& pixel,
                                     uint8_t padding = 0) {
    std::vector<uint8_t> bytes = DibHeader(width, height, bitCount, 0);
    const std::vector<uint8_t> rows = DibRows(width, height, bitCount, pixel, padding);
    bytes.insert(bytes.end(), rows.begin(), rows.end());
    return bytes;
}

// The same 1-bit mask stored packed (compression 255).
inline std::vector<uint8_t> MakePackedMask(int32_t width, int32_t height, const PixelFn& pixel,
                                           uint8_t padding = 0) {
    std::vector<uint8_t> bytes = DibHeader(width, height, 1, kCompressionPackedMask);
    const std::vector<uint8_t> packed = PackMaskBytes(DibRows(width, height, 1, pixel, padding));
    bytes.insert(bytes.end(), packed.begin(), packed.end());
    return bytes;
}

// The region a mask should give, built the slow, obvious way: one rectangle per inside pixel.
inline Region RegionOfPixels(int32_t width, int32_t height,
                             const std::function<bool(int32_t, int32_t)>& inside) {
    Region region;
    for (int32_t y = 0; y < height; ++y) {
        Region row;  // united per row first, which keeps each union small
        for (int32_t x = 0; x < width; ++x)
            if (inside(x, y))
                row.AddRect(Rect{x, y, x + 1, y + 1});
        region.Unite(row);
    }
    return region;
}

// A character-like outline: an elliptic body with a round head on top, inside = value 0.
inline bool MascotOutline(int32_t x, int32_t y, int32_t width, int32_t height) {
    const double bodyCx = width / 2.0, bodyCy = height * 0.65, bodyRx = width * 0.45, bodyRy = height * 0.33;
    const double headCx = width / 2.0, headCy = height * 0.22, headR = width * 0.3;
    const double px = x + 0.5, py = y + 0.5;
    const double bx = (px - bodyCx) / bodyRx, by = (py - bodyCy) / bodyRy;
    const double hx = (px - headCx) / headR, hy = (py - headCy) / headR;
    return bx * bx + by * by <= 1.0 || hx * hx + hy * hy <= 1.0;
}

inline Dib ParseOrDie(const std::vector<uint8_t>& bytes) {
    std::optional<Dib> dib = ParseDib(bytes);
    if (!dib)
        std::abort();
    return *dib;
}

}  // namespace mascot::test
