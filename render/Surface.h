// The core's own pixel surface: the back buffer every backend presents as it is.
#pragma once

#include <cstdint>
#include <vector>

namespace mascot {

// 32-bit pixels 0x00RRGGBB, rows top to bottom, no padding. One layout for every backend, so a
// frame drawn by the core looks the same wherever it is shown. A new surface is black unless a
// fill colour is given: the back buffer is created black and never cleared afterwards, so what a
// paint shows before the first frame image is drawn is black on every platform.
class Surface {
public:
    Surface() = default;
    Surface(int32_t width, int32_t height, uint32_t fill = 0)
        : m_width(width > 0 ? width : 0), m_height(height > 0 ? height : 0),
          m_pixels(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), fill) {}

    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    bool Contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    uint32_t Pixel(int32_t x, int32_t y) const { return m_pixels[Index(x, y)]; }
    void SetPixel(int32_t x, int32_t y, uint32_t rgb) { m_pixels[Index(x, y)] = rgb; }
    uint32_t* Row(int32_t y) { return m_pixels.data() + Index(0, y); }
    const uint32_t* Row(int32_t y) const { return m_pixels.data() + Index(0, y); }
    const std::vector<uint32_t>& Pixels() const { return m_pixels; }

    friend bool operator==(const Surface&, const Surface&) = default;

private:
    size_t Index(int32_t x, int32_t y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x);
    }

    int32_t m_width = 0;
    int32_t m_height = 0;
    std::vector<uint32_t> m_pixels;
};

inline constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return (uint32_t{r} << 16) | (uint32_t{g} << 8) | uint32_t{b};
}

}  // namespace mascot
