// Window shapes from mask images: a mask pixel of value 0 lies inside the shape, any other value
// outside. Masks have 1 or 4 bits per pixel; a 1-bit mask may be stored as a packed byte stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "render/Dib.h"
#include "render/Region.h"

namespace mascot {

// Packed-mask stream: kPackedInside n gives n bytes 0x00, kPackedOutside n gives n bytes 0xFF
// (n from 1 to 255); either marker followed by 0 stands for the marker byte itself; any other
// byte stands for itself.
inline constexpr uint8_t kPackedInside = 0xCC;
inline constexpr uint8_t kPackedOutside = 0x33;
// What the bytes a stream did not produce hold: every pixel outside the shape, so that a cut
// stream never widens the window.
inline constexpr uint8_t kUnpackFill = 0xFF;

// Unpacks `stream` into `output`, stopping as soon as output.size() bytes are written (a run that
// would go past that point is cut short; later stream bytes are ignored). The stream has no end
// marker of its own: it ends with its span, and a marker that is its last byte, without a count,
// produces nothing. When the stream ends early the rest of `output` is set to kUnpackFill.
// Returns how many bytes the stream itself produced.
size_t UnpackMask(std::span<uint8_t> output, std::span<const uint8_t> stream);

// How many bytes `stream` produces when unpacking stops at `limit`.
uint64_t UnpackedLength(std::span<const uint8_t> stream, uint64_t limit);

// The region of one mask image, kept in a region slot. Without a region when the mask had no
// inside pixel or could not be read.
class CMaskRgn {
public:
    // Records the mask's size, depth and pixels and scans them into a region, row by row from
    // the top, one band row per mask row; returns true when the region has at least one pixel.
    // No region for: a depth other than 1 or 4 bits; plain rows that run past the container.
    // A packed 1-bit mask (compression 255) is unpacked into a buffer held only during the
    // build; rows its stream does not reach are outside the shape. Any other compression value
    // is read as plain bits.
    bool BuildFromMask(const Dib& mask);

    // The value of the pixel at column x, row y (0 = top) of the mask recorded by the last build:
    // 0 or 1 for 1-bit masks (the leftmost pixel is a byte's most significant bit), 0 to 15 for
    // 4-bit masks (an even x takes the high four bits). Pixels outside the mask, past the end of
    // the pixel data, or of a packed mask after its build, read as outside (1, or 15).
    uint8_t MaskPixel(int32_t x, int32_t y) const;

    const std::optional<Region>& GetRegion() const { return m_region; }
    bool HasRegion() const { return m_region.has_value(); }

    // Row length in pixels: the width rounded up so that a row is whole 32-bit words.
    int64_t RowLength() const { return m_nRowLength; }
    int32_t Width() const { return m_nWidth; }
    int32_t Height() const { return m_nHeight; }
    int32_t BitCount() const { return m_nBitCount; }

private:
    Region ScanRows() const;
    uint8_t OutsideValue() const { return m_nBitCount == 4 ? 0x0F : 0x01; }

    int64_t m_nRowLength = 0;
    uint64_t m_nRowBytes = 0;
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    int32_t m_nBitCount = 0;
    // Bottom-up rows: straight into the container, or into the unpacked buffer during a build.
    std::span<const uint8_t> m_pixels;
    std::optional<Region> m_region;
};

}  // namespace mascot
