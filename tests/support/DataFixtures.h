// Containers for tests, made with the container writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/ContainerWriter.h"
#include "data/DibWriter.h"
#include "support/Sjis.h"

namespace mascot::test {

inline constexpr uint16_t kSampleWidth = 16;
inline constexpr uint16_t kSampleHeight = 24;

// Pixels of a w x h image, from a formula so that every pixel is checkable.
inline std::vector<uint8_t> IndexPixels(int w, int h, int modulo) {
    std::vector<uint8_t> pixels(static_cast<size_t>(w * h));
    for (int i = 0; i < w * h; ++i)
        pixels[static_cast<size_t>(i)] = static_cast<uint8_t>((i * 7 + i / w) % modulo);
    return pixels;
}

inline std::vector<uint32_t> GreyPalette(int entries) {
    std::vector<uint32_t> palette;
    for (int i = 0; i < entries; ++i)
        palette.push_back(static_cast<uint32_t>(i * 0x010101));
    return palette;
}

// Shaped like a character's data: a full-frame 8-bit picture at (0, 0), a 24-bit overlay at
// (8, 8), a 1-bit mask and a packed one; title, about text with a line feed, two named
// patterns.
inline ContainerWriter SampleWriter(uint16_t version = 302) {
    const std::vector<uint32_t> rgb = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456};
    ContainerWriter writer;
    writer.SetVersion(version)
        .SetFrameSize(kSampleWidth, kSampleHeight)
        .AddImage(0, 0,
                  MakeIndexedDib(kSampleWidth, kSampleHeight, 8, GreyPalette(256),
                                 IndexPixels(kSampleWidth, kSampleHeight, 256)))
        .AddImage(8, 8, MakeRgbDib(2, 2, rgb))
        .AddImage(0, 0, MakeMaskDib(kSampleWidth, kSampleHeight, IndexPixels(kSampleWidth, kSampleHeight, 2)))
        .AddImage(0, 0, MakePackedMaskDib(kSampleWidth, kSampleHeight, std::vector<uint8_t>(16 * 24, 0)))
        .SetTitle(Utf8ToSjis("テスト"))
        .SetAboutText(Utf8ToSjis("テストの\nキャラクター"))
        .SetDefaults(1, 90)
        .AddNamedPattern(Utf8ToSjis("歩く"), {0x01, 0x02, 0x03})
        .AddNamedPattern("sit", {0x04});
    return writer;
}

inline BuiltContainer SampleContainer(uint16_t version = 302) {
    return SampleWriter(version).Build();
}

}  // namespace mascot::test
