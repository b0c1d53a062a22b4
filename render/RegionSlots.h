// The 16 region slots a pattern fills from mask images and applies as the window's shape.
// Building a slot's region is the expensive step and happens once; applying a slot hands the
// window a copy, so a slot can be applied again and again and freeing it leaves the window's
// shape as it is.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "render/Dib.h"
#include "render/MaskRegion.h"

namespace mascot {

class Window;

// Frame image n as a bitmap, or nothing when there is no such image or it cannot be read.
using ImageLookup = std::function<std::optional<Dib>(uint16_t n)>;

class RegionSlots {
public:
    static constexpr uint16_t kSlotCount = 16;
    static constexpr uint16_t kNoSlot = 0xFFFF;
    // The kind byte that asks for a region to be built ('b').
    static constexpr uint8_t kKindBuild = 98;

    explicit RegionSlots(ImageLookup images) : m_images(std::move(images)) {}

    // Takes the lowest empty slot; kNoSlot when all are in use. With kind kKindBuild the slot gets
    // a CMaskRgn built from frame image n (one without a region when the image is missing, cannot
    // be read or has no inside pixel); with any other kind the slot stays empty, so the next
    // allocation finds it again.
    uint16_t AllocRegionSlot(uint8_t kind, uint16_t n);

    // Gives `window` slot s's region as its shape, or the single pixel (0, 0)-(1, 1) when the slot
    // is empty or has no region. A slot number of 16 or more (kNoSlot among them) is ignored.
    void ApplyRegionSlot(uint16_t s, Window& window) const;

    // Empties every slot.
    void FreeRegionSlots();

    // Slot s's content; null when the slot is empty or s is out of range.
    const CMaskRgn* Slot(uint16_t s) const { return s < kSlotCount ? m_slots[s].get() : nullptr; }

private:
    ImageLookup m_images;
    std::array<std::unique_ptr<CMaskRgn>, kSlotCount> m_slots{};
};

}  // namespace mascot
