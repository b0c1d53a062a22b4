#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "render/DrawDib.h"
#include "support/DibBuilder.h"
#include "support/ImageCompare.h"
#include "tools/common/Png.h"

namespace mascot {
namespace {

std::string TempPath(const std::string& name) {
    return ::testing::TempDir() + "png_test_" + name;
}

Surface Gradient(int32_t width, int32_t height) {
    Surface surface(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            surface.SetPixel(x, y, Rgb(uint8_t(x * 9), uint8_t(y * 13), uint8_t(x ^ y)));
    return surface;
}

TEST(PngTest, SurfaceRoundTripsExactly) {
    const Surface surface = Gradient(37, 21);
    const std::string path = TempPath("surface.png");
    std::string error;
    ASSERT_TRUE(WritePng(path, surface, &error)) << error;
    const std::optional<Picture> back = ReadPng(path, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_TRUE(test::SamePicture("surface", PictureOfSurface(surface), *back));
}

// A drawn frame with a shape: what a person sees is the frame inside the outline and nothing
// around it.
TEST(PngTest, WindowPictureIsTransparentOutsideTheShape) {
    Surface backBuffer(112, 160);
    const std::vector<uint8_t> frame = test::MakeDib(
        112, 160, 24, {}, [](int32_t x, int32_t y) { return Rgb(uint8_t(x * 2), uint8_t(y), 0x80); });
    DrawDibAt(backBuffer, 0, 0, test::ParseOrDie(frame));
    const Region shape = test::RegionOfPixels(
        112, 160, [](int32_t x, int32_t y) { return test::MascotOutline(x, y, 112, 160); });

    const Picture picture = PictureOfWindow(backBuffer, &shape);
    for (int32_t y = 0; y < 160; ++y)
        for (int32_t x = 0; x < 112; ++x) {
            const uint32_t expected = shape.Contains(x, y) ? (kOpaque | backBuffer.Pixel(x, y)) : 0u;
            ASSERT_EQ(picture.Pixel(x, y), expected) << "(" << x << ", " << y << ")";
        }
    EXPECT_EQ(PictureOfWindow(backBuffer, nullptr), PictureOfSurface(backBuffer));

    const std::string path = TempPath("window.png");
    std::string error;
    ASSERT_TRUE(WritePng(path, picture, &error)) << error;
    const std::optional<Picture> back = ReadPng(path, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_TRUE(test::SamePicture("window", picture, *back));
}

TEST(PngTest, FailuresSayWhy) {
    std::string error;
    EXPECT_FALSE(WritePng(TempPath("empty.png"), Surface(), &error));
    EXPECT_NE(error.find("empty"), std::string::npos) << error;

    error.clear();
    EXPECT_FALSE(WritePng("/nonexistent-directory/x.png", Gradient(2, 2), &error));
    EXPECT_FALSE(error.empty());

    const std::string garbage = TempPath("garbage.png");
    std::ofstream(garbage) << "not a picture at all";
    error.clear();
    EXPECT_FALSE(ReadPng(garbage, &error));
    EXPECT_FALSE(error.empty());

    error.clear();
    EXPECT_FALSE(ReadPng(TempPath("missing.png"), &error));
    EXPECT_FALSE(error.empty());
}

TEST(ImageCompareTest, NamesTheFirstDifferenceAndWritesBothPictures) {
    const Surface expected = Gradient(6, 5);
    Surface actual = expected;
    actual.SetPixel(4, 2, 0x123456);
    actual.SetPixel(1, 3, 0x654321);

    const ::testing::AssertionResult result = test::SameSurface("compare", expected, actual);
    ASSERT_FALSE(result);
    const std::string message = result.message();
    EXPECT_NE(message.find("(4, 2): 0xFF123456"), std::string::npos) << message;
    const std::string stem = test::PictureFileStem("compare");
    const std::optional<Picture> written = ReadPng(stem + ".actual.png");
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, PictureOfSurface(actual));
    EXPECT_TRUE(std::filesystem::exists(stem + ".expected.png"));

    EXPECT_FALSE(test::SameSurface("size", Surface(6, 4), Surface(6, 5)));
    EXPECT_TRUE(test::SameSurface("same", expected, expected));
}

}  // namespace
}  // namespace mascot
