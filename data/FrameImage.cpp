#include "data/FrameImage.h"

#include "data/ByteReader.h"
#include "data/ContainerLayout.h"

namespace mascot {

using namespace layout;

std::optional<FrameImage> FrameImage::At(std::span<const uint8_t> container, uint64_t start) {
    const ByteReader reader(container);
    auto head = reader.BytesAt(start, kImgColourTable);
    if (!head)
        return std::nullopt;
    const uint8_t* p = head->data();
    const uint8_t* dib = p + kImgDib;
    FrameImage image;
    image.m_container = container;
    image.m_start = start;
    image.m_x = LoadU16(p + kImgX);
    image.m_y = LoadU16(p + kImgY);
    image.m_headerSize = LoadU32(dib + kDibSize);
    image.m_width = static_cast<int32_t>(LoadU32(dib + kDibWidth));
    image.m_height = static_cast<int32_t>(LoadU32(dib + kDibHeight));
    image.m_planes = LoadU16(dib + kDibPlanes);
    image.m_bitCount = LoadU16(dib + kDibBitCount);
    image.m_compression = LoadU32(dib + kDibCompression);
    image.m_sizeImage = LoadU32(dib + kDibSizeImage);
    image.m_coloursUsed = LoadU32(dib + kDibColoursUsed);
    image.m_coloursImportant = LoadU32(dib + kDibColoursImportant);
    return image;
}

std::span<const uint8_t> FrameImage::DibHeader() const {
    return m_container.subspan(static_cast<size_t>(m_start + kImgDib), kDibHeaderSize);
}

bool FrameImage::IsPackedMask() const {
    return m_bitCount == 1 && m_compression == kPackedMaskCompression;
}

uint32_t FrameImage::ColourTableEntries() const { return ColorTableEntries(m_bitCount); }

std::optional<std::span<const uint8_t>> FrameImage::ColourTable() const {
    return ByteReader(m_container)
        .BytesAt(m_start + kImgColourTable, 4ull * ColourTableEntries())
        .ToOptional();
}

std::optional<std::span<const uint8_t>> FrameImage::Bits() const {
    return ByteReader(m_container)
        .TailAt(m_start + kImgColourTable + 4ull * ColourTableEntries())
        .ToOptional();
}

uint64_t FrameImage::RowStride() const {
    if (m_width <= 0 || m_bitCount == 0)
        return 0;
    const uint64_t bits = static_cast<uint64_t>(m_width) * m_bitCount;
    return (bits + 31) / 32 * 4;
}

uint64_t FrameImage::PlainBitsSize() const {
    if (m_height <= 0)
        return 0;
    return RowStride() * static_cast<uint64_t>(m_height);
}

std::span<const uint8_t> FrameImage::Dib() const {
    return m_container.subspan(static_cast<size_t>(m_start + kImgDib));
}

}  // namespace mascot
