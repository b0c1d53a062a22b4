#include "render/Palette.h"

#include "render/Dib.h"

namespace mascot {

std::optional<Palette> PaletteFromDib(const Dib& dib) {
    const uint32_t count = ColorTableEntries(dib.bitCount);
    if (count == 0 || dib.colorTable.size() < size_t{4} * count)
        return std::nullopt;
    Palette palette;
    palette.entries.reserve(count);
    for (uint32_t k = 0; k < count; ++k) {
        const uint8_t* quad = dib.colorTable.data() + 4 * k;
        palette.entries.push_back(PaletteEntry{quad[2], quad[1], quad[0], 0});
    }
    return palette;
}

bool BuildPalette(const std::optional<Dib>& dib, PalettePtr& object) {
    object.reset();
    if (!dib)
        return false;
    std::optional<Palette> palette = PaletteFromDib(*dib);
    if (!palette)
        return false;
    object = std::make_shared<const Palette>(std::move(*palette));
    return true;
}

}  // namespace mascot
