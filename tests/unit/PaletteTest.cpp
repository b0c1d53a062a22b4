#include <gtest/gtest.h>

#include "render/DrawingPass.h"
#include "render/Palette.h"
#include "support/DibBuilder.h"
#include "support/RecordingWindow.h"

namespace mascot {
namespace {

std::optional<Dib> ImageOf(const std::vector<uint8_t>& bytes) {
    return ParseDib(bytes);
}

std::vector<uint8_t> IndexedImage(uint16_t bitCount, uint32_t seed) {
    std::vector<uint32_t> table;
    for (uint32_t k = 0; k < ColorTableEntries(bitCount); ++k)
        table.push_back((seed * 0x9E3779B1u + k * 0x01020304u) & 0xFFFFFF);
    return test::MakeDib(4, 4, bitCount, table, [](int32_t, int32_t) { return 0u; });
}

std::vector<uint8_t> TrueColourImage() {
    return test::MakeDib(4, 4, 24, {}, [](int32_t x, int32_t y) { return uint32_t(x * 16 + y); });
}

TEST(PaletteTest, BuiltFromTheColourTableAsRedGreenBlue) {
    struct Case {
        uint16_t bitCount;
        size_t entries;
    };
    const Case cases[] = {{1, 2}, {4, 16}, {8, 256}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bitCount);
        const std::vector<uint8_t> bytes = IndexedImage(c.bitCount, c.bitCount);
        PalettePtr object;
        ASSERT_TRUE(BuildPalette(ImageOf(bytes), object));
        ASSERT_TRUE(object);
        ASSERT_EQ(object->entries.size(), c.entries);
        for (size_t k = 0; k < c.entries; ++k) {
            // The table holds blue, green, red, reserved at 40 + 4k.
            const uint8_t* quad = bytes.data() + 40 + 4 * k;
            EXPECT_EQ(object->entries[k], (PaletteEntry{quad[2], quad[1], quad[0], 0})) << "entry " << k;
        }
    }
}

TEST(PaletteTest, NoPaletteForDeeperImagesOrNoImage) {
    PalettePtr object = std::make_shared<const Palette>();
    EXPECT_FALSE(BuildPalette(ImageOf(TrueColourImage()), object));
    EXPECT_FALSE(object);
    object = std::make_shared<const Palette>();
    EXPECT_FALSE(BuildPalette(std::nullopt, object));
    EXPECT_FALSE(object);
}

TEST(DrawingPassTest, SelectsAndRealisesThePaletteAsBackgroundAndPutsTheDefaultBack) {
    Surface backBuffer(4, 4);
    PalettePtr palette;
    ASSERT_TRUE(BuildPalette(ImageOf(IndexedImage(8, 1)), palette));
    DrawingPass pass(backBuffer, palette);
    EXPECT_EQ(&pass.Target(), &backBuffer);
    EXPECT_EQ(pass.Context().Selected(), palette);
    EXPECT_TRUE(pass.Context().ForceBackground());
    EXPECT_EQ(pass.Context().Realizations(), 1u);
    pass.End();
    EXPECT_EQ(pass.Context().Selected(), nullptr);
    EXPECT_FALSE(pass.Context().ForceBackground());
    EXPECT_EQ(palette.use_count(), 1);  // the context let go of it
}

TEST(DrawingPassTest, WithoutAPaletteTheStepsAreSkippedAndDrawingStillWorks) {
    Surface backBuffer(4, 4);
    PalettePtr palette;
    EXPECT_FALSE(BuildPalette(ImageOf(TrueColourImage()), palette));
    DrawingPass pass(backBuffer, palette);
    EXPECT_EQ(pass.Context().Selected(), nullptr);
    EXPECT_EQ(pass.Context().Realizations(), 0u);
    pass.Target().SetPixel(1, 1, 0x112233);
    pass.End();
    EXPECT_EQ(backBuffer.Pixel(1, 1), 0x112233u);

    test::RecordingWindow window;
    PaintPass paint(palette);
    EXPECT_EQ(paint.WindowContext().Realizations(), 0u);
    paint.Present(window, backBuffer);
    ASSERT_EQ(window.presented.size(), 1u);
    EXPECT_EQ(window.presented[0].palette, nullptr);
    EXPECT_EQ(window.presented[0].picture, backBuffer);
}

TEST(DrawingPassTest, ReplacingWithAnIndexedImageSelectsTheNewPaletteAndDropsTheOldAtOnce) {
    Surface backBuffer(4, 4);
    PalettePtr palette;
    BuildPalette(ImageOf(IndexedImage(8, 1)), palette);
    const std::weak_ptr<const Palette> old = palette;
    DrawingPass pass(backBuffer, palette);

    pass.ReplacePalette(ImageOf(IndexedImage(1, 2)));
    ASSERT_TRUE(palette);
    EXPECT_EQ(palette->entries.size(), 2u);
    EXPECT_EQ(pass.Context().Selected(), palette);
    EXPECT_TRUE(pass.Context().ForceBackground());
    EXPECT_EQ(pass.Context().Realizations(), 2u);
    EXPECT_TRUE(old.expired());

    pass.End();
    EXPECT_EQ(pass.Context().Selected(), nullptr);  // the default palette, not the first one
    EXPECT_EQ(palette.use_count(), 1);
}

TEST(DrawingPassTest, ReplacingWithATrueColourImageKeepsTheOldSelectedUntilThePassEnds) {
    Surface backBuffer(4, 4);
    PalettePtr palette;
    BuildPalette(ImageOf(IndexedImage(8, 1)), palette);
    const std::weak_ptr<const Palette> old = palette;
    {
        DrawingPass pass(backBuffer, palette);
        pass.ReplacePalette(ImageOf(TrueColourImage()));
        EXPECT_FALSE(palette);
        EXPECT_EQ(pass.Context().Selected(), old.lock());
        EXPECT_EQ(pass.Context().Realizations(), 1u);
        EXPECT_FALSE(old.expired());
    }
    EXPECT_TRUE(old.expired());

    // The next pass runs without a palette; a later Palette brings one back into that pass.
    DrawingPass next(backBuffer, palette);
    EXPECT_EQ(next.Context().Selected(), nullptr);
    next.ReplacePalette(ImageOf(IndexedImage(4, 3)));
    ASSERT_TRUE(palette);
    EXPECT_EQ(palette->entries.size(), 16u);
    EXPECT_EQ(next.Context().Selected(), palette);
    next.End();
    EXPECT_EQ(next.Context().Selected(), nullptr);
}

TEST(PaintPassTest, RealisesInTheWindowThenTheMemoryContextPresentsAndRestoresBoth) {
    Surface backBuffer(3, 2, 0x445566);
    PalettePtr palette;
    BuildPalette(ImageOf(IndexedImage(4, 5)), palette);
    test::RecordingWindow window;

    PaintPass paint(palette);
    for (const PaletteSelection* context : {&paint.WindowContext(), &paint.MemoryContext()}) {
        EXPECT_EQ(context->Selected(), palette);
        EXPECT_TRUE(context->ForceBackground());
        EXPECT_EQ(context->Realizations(), 1u);
    }
    paint.Present(window, backBuffer);
    ASSERT_EQ(window.presented.size(), 1u);
    EXPECT_EQ(window.presented[0].palette, palette.get());
    EXPECT_EQ(window.presented[0].picture, backBuffer);

    paint.End();
    for (const PaletteSelection* context : {&paint.WindowContext(), &paint.MemoryContext()}) {
        EXPECT_EQ(context->Selected(), nullptr);
        EXPECT_FALSE(context->ForceBackground());
    }
    EXPECT_EQ(palette.use_count(), 2);  // the paint's own reference, until it is destroyed
}

}  // namespace
}  // namespace mascot
