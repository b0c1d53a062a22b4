// Pictures of the back buffer and of the mascot window as PNG files, for the tools, the tests
// and the people who look at their output.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "render/Region.h"
#include "render/Surface.h"

namespace mascot {

// 32-bit pixels 0xAARRGGBB, rows top to bottom. Alpha 0 is fully transparent.
struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;

    uint32_t Pixel(int32_t x, int32_t y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    friend bool operator==(const Picture&, const Picture&) = default;
};

inline constexpr uint32_t kOpaque = 0xFF000000;

// The surface as it is, every pixel opaque.
Picture PictureOfSurface(const Surface& surface);
// What a person sees of the mascot window: the surface where the shape covers it, transparent
// (0x00000000) elsewhere. A null shape is the plain rectangular window.
Picture PictureOfWindow(const Surface& surface, const Region* shape);

// Writes an 8-bit RGBA PNG. False, with the reason in `error` when given, when libpng cannot
// write it (an empty picture among others).
bool WritePng(const std::string& path, const Picture& picture, std::string* error = nullptr);
// Writes an 8-bit RGB PNG of the surface.
bool WritePng(const std::string& path, const Surface& surface, std::string* error = nullptr);

// Reads any PNG libpng understands as 8-bit RGBA. Nothing, with the reason in `error`, when the
// file cannot be read, is not a PNG, or is larger than 16384 x 16384 pixels.
std::optional<Picture> ReadPng(const std::string& path, std::string* error = nullptr);

}  // namespace mascot
