#include <gtest/gtest.h>

#include <map>

#include "render/RegionSlots.h"
#include "support/DibBuilder.h"
#include "support/ImageCompare.h"
#include "support/RecordingWindow.h"

namespace mascot {
namespace {

constexpr uint8_t kBuild = RegionSlots::kKindBuild;
const Region kOnePixel = Region::FromRect(Rect{0, 0, 1, 1});

bool Outline(int32_t x, int32_t y) {
    return test::MascotOutline(x, y, 64, 112);
}

// Frame images 0 to 3; any other number has no image.
class RegionSlotsTest : public ::testing::Test {
protected:
    std::map<uint16_t, std::vector<uint8_t>> m_images = {
        {0, test::MakeMask(64, 112, 1, [](int32_t x, int32_t y) { return Outline(x, y) ? 0u : 1u; })},
        {1, test::MakeMask(64, 112, 1, [](int32_t, int32_t) { return 1u; })},  // no inside pixel
        {2, test::MakePackedMask(64, 112, [](int32_t x, int32_t y) { return x < 10 && y < 5 ? 0u : 1u; })},
        {3, test::MakeMask(10, 4, 4, [](int32_t x, int32_t) { return x == 9 ? 0u : 7u; })},
    };
    int m_lookups = 0;
    RegionSlots m_slots{[this](uint16_t n) -> std::optional<Dib> {
        ++m_lookups;
        const auto image = m_images.find(n);
        return image == m_images.end() ? std::nullopt : ParseDib(image->second);
    }};
    test::RecordingWindow m_window;
};

TEST_F(RegionSlotsTest, SlotsHoldTheRegionsOfTheirMasks) {
    struct Case {
        uint16_t image;
        std::optional<Region> region;
    };
    const Case cases[] = {
        {0, test::RegionOfPixels(64, 112, Outline)},
        {1, std::nullopt},
        {2, Region::FromRect(Rect{0, 0, 10, 5})},
        {3, Region::FromRect(Rect{9, 0, 10, 4})},
        {4, std::nullopt},  // beyond the images: the slot is filled all the same
        {65535, std::nullopt},
    };
    uint16_t expectedSlot = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        const uint16_t slot = m_slots.AllocRegionSlot(kBuild, c.image);
        EXPECT_EQ(slot, expectedSlot++);
        ASSERT_NE(m_slots.Slot(slot), nullptr);
        EXPECT_EQ(m_slots.Slot(slot)->GetRegion(), c.region);
    }
}

TEST_F(RegionSlotsTest, TheSeventeenthAllocationFindsNoSlotUntilTheSlotsAreFreed) {
    for (uint16_t expected = 0; expected < 16; ++expected)
        ASSERT_EQ(m_slots.AllocRegionSlot(kBuild, 0), expected);
    const int lookups = m_lookups;
    EXPECT_EQ(m_slots.AllocRegionSlot(kBuild, 0), RegionSlots::kNoSlot);
    EXPECT_EQ(m_slots.AllocRegionSlot('a', 0), RegionSlots::kNoSlot);
    EXPECT_EQ(m_lookups, lookups);  // nothing was built

    m_slots.FreeRegionSlots();
    for (uint16_t s = 0; s < 16; ++s)
        EXPECT_EQ(m_slots.Slot(s), nullptr);
    EXPECT_EQ(m_slots.AllocRegionSlot(kBuild, 0), 0);
}

TEST_F(RegionSlotsTest, AnotherKindNamesTheLowestEmptySlotAndLeavesItEmpty) {
    ASSERT_EQ(m_slots.AllocRegionSlot(kBuild, 0), 0);
    for (uint8_t kind : {uint8_t{0}, uint8_t{'a'}, uint8_t{'B'}, uint8_t{'c'}, uint8_t{255}}) {
        SCOPED_TRACE(int(kind));
        EXPECT_EQ(m_slots.AllocRegionSlot(kind, 0), 1);
        EXPECT_EQ(m_slots.Slot(1), nullptr);
    }
    EXPECT_EQ(m_lookups, 1);
    EXPECT_EQ(m_slots.AllocRegionSlot(kBuild, 2), 1);
    EXPECT_NE(m_slots.Slot(1), nullptr);
}

TEST_F(RegionSlotsTest, ApplyingGivesTheWindowTheSlotsRegionOrOnePixel) {
    m_slots.AllocRegionSlot(kBuild, 0);  // slot 0: the outline
    m_slots.AllocRegionSlot(kBuild, 1);  // slot 1: no region
    m_slots.AllocRegionSlot(kBuild, 9);  // slot 2: no image
    struct Case {
        uint16_t slot;
        Region shape;
    };
    const Case cases[] = {
        {0, test::RegionOfPixels(64, 112, Outline)},
        {1, kOnePixel},
        {2, kOnePixel},
        {3, kOnePixel},  // never filled
        {15, kOnePixel},
        {0, test::RegionOfPixels(64, 112, Outline)},  // again: the slot kept its region
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        m_window.shapes.clear();
        m_slots.ApplyRegionSlot(c.slot, m_window);
        ASSERT_EQ(m_window.shapes.size(), 1u);
        EXPECT_EQ(m_window.shapes[0], c.shape);
    }
}

TEST_F(RegionSlotsTest, SlotNumbersOfSixteenAndMoreAreIgnored) {
    m_slots.AllocRegionSlot(kBuild, 0);
    for (uint16_t slot : {uint16_t{16}, uint16_t{17}, uint16_t{255}, RegionSlots::kNoSlot}) {
        SCOPED_TRACE(slot);
        m_slots.ApplyRegionSlot(slot, m_window);
        EXPECT_TRUE(m_window.shapes.empty());
        EXPECT_EQ(m_slots.Slot(slot), nullptr);
    }
}

TEST_F(RegionSlotsTest, TheWindowKeepsTheShapeAppliedLastAfterTheSlotsAreFreed) {
    for (uint16_t image : {2, 2, 2, 0})
        m_slots.AllocRegionSlot(kBuild, image);
    m_slots.ApplyRegionSlot(3, m_window);
    m_slots.FreeRegionSlots();
    EXPECT_EQ(m_slots.Slot(3), nullptr);
    ASSERT_EQ(m_window.shapes.size(), 1u);
    EXPECT_EQ(m_window.shapes.back(), test::RegionOfPixels(64, 112, Outline));
}

}  // namespace
}  // namespace mascot
