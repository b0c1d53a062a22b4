#include "render/RegionSlots.h"

#include "platform/Window.h"

namespace mascot {

uint16_t RegionSlots::AllocRegionSlot(uint8_t kind, uint16_t n) {
    uint16_t slot = 0;
    while (slot < kSlotCount && m_slots[slot])
        ++slot;
    if (slot == kSlotCount)
        return kNoSlot;
    if (kind != kKindBuild)
        return slot;

    auto mask = std::make_unique<CMaskRgn>();
    if (m_images) {
        if (const std::optional<Dib> image = m_images(n))
            mask->BuildFromMask(*image);
    }
    // The build's result is not looked at: a slot may hold a mask without a region.
    m_slots[slot] = std::move(mask);
    return slot;
}

void RegionSlots::ApplyRegionSlot(uint16_t s, Window& window) const {
    if (s >= kSlotCount)
        return;
    const CMaskRgn* mask = m_slots[s].get();
    if (mask && mask->HasRegion())
        window.SetShape(*mask->GetRegion());
    else
        window.SetShape(Region::FromRect(Rect{0, 0, 1, 1}));
}

void RegionSlots::FreeRegionSlots() {
    for (std::unique_ptr<CMaskRgn>& slot : m_slots)
        slot.reset();
}

}  // namespace mascot
