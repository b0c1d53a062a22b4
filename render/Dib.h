// A device-independent bitmap read in place from untrusted container bytes: the 40-byte
// header, the colour table behind it and the pixel bits behind that.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "data/ContainerLayout.h"

namespace mascot {

inline constexpr uint32_t kDibHeaderSize = 40;
// The compression value that marks a 1-bit mask whose bits are a packed byte stream.
inline constexpr uint32_t kCompressionPackedMask = 255;

// Why ParseDib found no bitmap, for the tools that tell a person what is wrong with an image.
enum class DibFault : uint8_t {
    kNone,
    kTruncatedHeader,      // fewer than 40 bytes
    kHeaderSize,           // the header-size field is not 40
    kNonPositiveSize,      // width or height is 0 or less (top-down images are not supported)
    kTruncatedColorTable,  // the colour table runs past the end of the bytes
};

struct Dib {
    int32_t width = 0;   // pixels, > 0
    int32_t height = 0;  // pixels, > 0; rows are stored bottom row first
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    std::span<const uint8_t> colorTable;  // ColorTableEntries(bitCount) RGBQUADs: blue, green, red, 0
    // From the first row to the end of the container: a packed mask has no length of its own,
    // so the bits are not cut to the image's size here.
    std::span<const uint8_t> bits;

    // Bytes in one stored row: width * bitCount bits, padded to whole 32-bit words.
    uint64_t RowBytes() const;
    // True when every row of plain (unpacked) bits lies inside the container.
    bool HasAllRows() const;
};

// Parses the bitmap whose header starts at bytes[0]; `bytes` runs to the end of the container.
// Supported form: header-size field exactly 40, positive width and height, the colour table
// complete. Depth and compression are recorded, not judged: drawing and mask building decide
// what they accept. On failure the result is empty and `fault`, when given, says why.
std::optional<Dib> ParseDib(std::span<const uint8_t> bytes, DibFault* fault = nullptr);

}  // namespace mascot
