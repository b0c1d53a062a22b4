// The mascot's logical palette: the record a palette display realises.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace mascot {

struct Dib;

struct PaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// Declared as a class because the ports forward-declare it so.
class Palette {
public:
    static constexpr uint16_t kVersion = 0x300;
    std::vector<PaletteEntry> entries;  // 2, 16 or 256 of them
    friend bool operator==(const Palette&, const Palette&) = default;
};

// The mascot's palette object: one logical palette, or none (null). Drawing contexts that have
// the palette selected share it, so a replaced palette lives exactly as long as some context
// still has it selected and goes away when the last one lets go of it.
using PalettePtr = std::shared_ptr<const Palette>;

// The palette of an image with 1, 4 or 8 bits per pixel: its 2, 16 or 256 colour-table entries
// (blue, green, red, reserved in the table) as red, green, blue and flags 0. Nothing for other
// depths.
std::optional<Palette> PaletteFromDib(const Dib& dib);

// Fills `object` with the palette of `dib` and returns true; for an image of another depth,
// or no image at all, leaves `object` without a palette and returns false.
bool BuildPalette(const std::optional<Dib>& dib, PalettePtr& object);

}  // namespace mascot
