// One frame image of the container: where it goes in the frame, and a device-independent bitmap
// (40-byte header, colour table, pixel rows or a packed mask), read in place.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace mascot {

class FrameImage {
public:
    // The image starting at `start` of `container`. Nothing unless its placement, file header
    // and 40-byte DIB header all lie inside; the colour table and the bits are checked when
    // asked for.
    static std::optional<FrameImage> At(std::span<const uint8_t> container, uint64_t start);

    // Where the image starts, counted from the container's start.
    uint64_t Offset() const { return m_start; }
    // Frame column and row (0 = top) of the image's left and top edge.
    uint16_t X() const { return m_x; }
    uint16_t Y() const { return m_y; }

    // The DIB header's fields, as stored.
    std::span<const uint8_t> DibHeader() const;
    uint32_t HeaderSize() const { return m_headerSize; }
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }  // positive: rows stored bottom-up
    uint16_t Planes() const { return m_planes; }
    uint16_t BitCount() const { return m_bitCount; }
    uint32_t Compression() const { return m_compression; }
    uint32_t SizeImage() const { return m_sizeImage; }
    uint32_t ColoursUsed() const { return m_coloursUsed; }
    uint32_t ColoursImportant() const { return m_coloursImportant; }

    // A 1-bit image with compression 255: its bits are a packed mask stream.
    bool IsPackedMask() const;
    // Colour table entries every reader assumes: 2, 16 or 256 for 1, 4 or 8 bits per pixel,
    // none otherwise. The colours-used field is not consulted.
    uint32_t ColourTableEntries() const;
    // The colour table (4 bytes per entry: blue, green, red, 0), right after the 40-byte DIB
    // header. Nothing when it runs past the end of the container.
    std::optional<std::span<const uint8_t>> ColourTable() const;
    // The pixel bits: from behind the colour table to the end of the container (a packed mask
    // has no length of its own). Nothing when the colour table already runs past the end.
    std::optional<std::span<const uint8_t>> Bits() const;
    // Bytes per stored row: the width in bits rounded up to 32, over 8. 0 unless the width and
    // the bit count are positive.
    uint64_t RowStride() const;
    // Bytes the plain rows take (stride x height); 0 unless width and height are positive.
    uint64_t PlainBitsSize() const;
    // The whole DIB: from its header to the end of the container.
    std::span<const uint8_t> Dib() const;

private:
    std::span<const uint8_t> m_container;
    uint64_t m_start = 0;
    uint16_t m_x = 0;
    uint16_t m_y = 0;
    uint32_t m_headerSize = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    uint16_t m_planes = 0;
    uint16_t m_bitCount = 0;
    uint32_t m_compression = 0;
    uint32_t m_sizeImage = 0;
    uint32_t m_coloursUsed = 0;
    uint32_t m_coloursImportant = 0;
};

}  // namespace mascot
