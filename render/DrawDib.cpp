#include "render/DrawDib.h"

#include <algorithm>
#include <array>

namespace mascot {
namespace {

// The visible part of an image: `columns` pixels of `rows` rows, from its top-left corner.
struct Clip {
    int32_t columns = 0;
    int32_t rows = 0;
};

Clip ClipToSurface(const Surface& surface, uint16_t x, uint16_t y, const Dib& dib) {
    Clip clip;
    if (x < surface.Width() && y < surface.Height()) {
        clip.columns = std::min(dib.width, surface.Width() - int32_t{x});
        clip.rows = std::min(dib.height, surface.Height() - int32_t{y});
    }
    return clip;
}

// The colour table as surface pixels, so that an indexed pixel costs one load.
std::array<uint32_t, 256> TableColours(const Dib& dib) {
    std::array<uint32_t, 256> colours{};
    const size_t count = dib.colorTable.size() / 4;
    for (size_t k = 0; k < count; ++k) {
        const uint8_t* quad = dib.colorTable.data() + 4 * k;
        colours[k] = Rgb(quad[2], quad[1], quad[0]);
    }
    return colours;
}

void DrawRow8(uint32_t* out, const uint8_t* in, int32_t columns, const std::array<uint32_t, 256>& colours) {
    for (int32_t i = 0; i < columns; ++i)
        out[i] = colours[in[i]];
}

void DrawRow4(uint32_t* out, const uint8_t* in, int32_t columns, const std::array<uint32_t, 256>& colours) {
    for (int32_t i = 0; i < columns; ++i) {
        const uint8_t pair = in[i >> 1];
        out[i] = colours[(i & 1) ? (pair & 0x0F) : (pair >> 4)];
    }
}

void DrawRow1(uint32_t* out, const uint8_t* in, int32_t columns, const std::array<uint32_t, 256>& colours) {
    for (int32_t i = 0; i < columns; ++i)
        out[i] = colours[(in[i >> 3] >> (7 - (i & 7))) & 1];
}

void DrawRow24(uint32_t* out, const uint8_t* in, int32_t columns) {
    for (int32_t i = 0; i < columns; ++i, in += 3)
        out[i] = Rgb(in[2], in[1], in[0]);
}

}  // namespace

bool IsDrawableDib(const Dib& dib) {
    const bool depth = dib.bitCount == 1 || dib.bitCount == 4 || dib.bitCount == 8 || dib.bitCount == 24;
    return depth && dib.compression == 0 && dib.HasAllRows();
}

bool DrawDibAt(Surface& surface, uint16_t x, uint16_t y, const Dib& dib) {
    if (!IsDrawableDib(dib))
        return false;
    const Clip clip = ClipToSurface(surface, x, y, dib);
    if (clip.columns <= 0 || clip.rows <= 0)
        return true;

    const std::array<uint32_t, 256> colours = TableColours(dib);
    const size_t stride = static_cast<size_t>(dib.RowBytes());
    for (int32_t row = 0; row < clip.rows; ++row) {
        // Rows are stored bottom-up: the image's top row is the last one in memory.
        const uint8_t* in = dib.bits.data() + static_cast<size_t>(dib.height - 1 - row) * stride;
        uint32_t* out = surface.Row(y + row) + x;
        switch (dib.bitCount) {
            case 24:
                DrawRow24(out, in, clip.columns);
                break;
            case 8:
                DrawRow8(out, in, clip.columns, colours);
                break;
            case 4:
                DrawRow4(out, in, clip.columns, colours);
                break;
            default:
                DrawRow1(out, in, clip.columns, colours);
                break;
        }
    }
    return true;
}

}  // namespace mascot
