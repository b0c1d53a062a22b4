// The mascot's logical palette: the record a palette display realises.
#pragma once

#include <cstdint>
#include <vector>

namespace mascot {

struct PaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

struct Palette {
    static constexpr uint16_t kVersion = 0x300;
    std::vector<PaletteEntry> entries;  // 2, 16 or 256 of them
    friend bool operator==(const Palette&, const Palette&) = default;
};

}  // namespace mascot
