#include "data/ImageDirectory.h"

#include "data/ByteReader.h"
#include "data/ContainerLayout.h"

namespace mascot {

using namespace layout;

std::optional<ImageDirectory> ImageDirectory::At(std::span<const uint8_t> container, uint64_t offset) {
    auto fixed = ByteReader(container).BytesAt(offset, kDirFixedSize);
    if (!fixed)
        return std::nullopt;
    ImageDirectory directory;
    directory.m_container = container;
    directory.m_offset = offset;
    directory.m_imageCount = LoadU16(fixed->data() + kDirImageCount);
    directory.m_frameWidth = LoadU16(fixed->data() + kDirFrameWidth);
    directory.m_frameHeight = LoadU16(fixed->data() + kDirFrameHeight);
    return directory;
}

uint64_t ImageDirectory::ImageOffsetField(uint16_t n) const {
    return m_offset + kDirImageOffsets + 4ull * n;
}

std::optional<uint32_t> ImageDirectory::ImageOffset(uint16_t n) const {
    if (n >= m_imageCount)
        return std::nullopt;
    return ByteReader(m_container).U32At(ImageOffsetField(n)).ToOptional();
}

std::optional<FrameImage> ImageDirectory::Image(uint16_t n) const {
    const auto offset = ImageOffset(n);
    if (!offset)
        return std::nullopt;
    return FrameImage::At(m_container, m_offset + *offset);
}

}  // namespace mascot
