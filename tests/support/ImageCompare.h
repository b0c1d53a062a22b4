// Exact picture comparison for tests: names the first differing pixel and writes both pictures
// as PNG files beside the test output, for a person to look at.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>

#include "render/Region.h"
#include "render/Surface.h"
#include "tools/common/Png.h"

namespace mascot {

// Regions print as their rectangles in failure messages.
inline void PrintTo(const Region& region, std::ostream* out) {
    *out << "Region{";
    for (const Rect& r : region.Rects())
        *out << " (" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
    *out << " }";
}

namespace test {

// Where compared pictures go: test-output/ under the directory the tests run in.
inline std::filesystem::path PictureOutputDir() {
    std::filesystem::path dir = std::filesystem::current_path() / "test-output";
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    return dir;
}

inline std::string PictureFileStem(const std::string& name) {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string stem = info ? std::string(info->test_suite_name()) + "." + info->name() + "." + name : name;
    for (char& c : stem)
        if (c == '/')
            c = '_';
    return (PictureOutputDir() / stem).string();
}

inline std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

inline ::testing::AssertionResult SamePicture(const std::string& name, const Picture& expected,
                                              const Picture& actual) {
    std::ostringstream why;
    if (expected.width != actual.width || expected.height != actual.height) {
        why << name << ": size " << actual.width << " x " << actual.height << ", expected " << expected.width
            << " x " << expected.height;
    } else {
        for (int32_t y = 0; y < expected.height && why.tellp() == 0; ++y)
            for (int32_t x = 0; x < expected.width; ++x)
                if (expected.Pixel(x, y) != actual.Pixel(x, y)) {
                    why << name << ": first difference at (" << x << ", " << y
                        << "): " << Hex(actual.Pixel(x, y)) << ", expected " << Hex(expected.Pixel(x, y));
                    break;
                }
    }
    if (why.tellp() == 0)
        return ::testing::AssertionSuccess();
    const std::string stem = PictureFileStem(name);
    WritePng(stem + ".expected.png", expected);
    WritePng(stem + ".actual.png", actual);
    return ::testing::AssertionFailure()
           << why.str() << "; pictures written to " << stem << ".{expected,actual}.png";
}

inline ::testing::AssertionResult SameSurface(const std::string& name, const Surface& expected,
                                              const Surface& actual) {
    return SamePicture(name, PictureOfSurface(expected), PictureOfSurface(actual));
}

}  // namespace test
}  // namespace mascot
