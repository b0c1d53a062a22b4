// The image directory: frame size and the offsets of the frame images.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "data/FrameImage.h"

namespace mascot {

class ImageDirectory {
public:
    // The directory at `offset` of `container`; nothing unless its 8-byte fixed part lies inside.
    static std::optional<ImageDirectory> At(std::span<const uint8_t> container, uint64_t offset);

    uint64_t Offset() const { return m_offset; }
    uint16_t ImageCount() const { return m_imageCount; }
    uint16_t FrameWidth() const { return m_frameWidth; }
    uint16_t FrameHeight() const { return m_frameHeight; }

    // Where the entry for image n lies, counted from the container's start.
    uint64_t ImageOffsetField(uint16_t n) const;
    // Image n's offset, counted from the directory's start. Nothing for n at or above the image
    // count (the entry would be read out of whatever follows the offset array) or when the
    // entry lies outside the container.
    std::optional<uint32_t> ImageOffset(uint16_t n) const;
    // Frame image n; nothing when its offset is absent or its headers do not lie inside.
    std::optional<FrameImage> Image(uint16_t n) const;

private:
    std::span<const uint8_t> m_container;
    uint64_t m_offset = 0;
    uint16_t m_imageCount = 0;
    uint16_t m_frameWidth = 0;
    uint16_t m_frameHeight = 0;
};

}  // namespace mascot
