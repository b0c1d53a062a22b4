#include "data/DibWriter.h"

#include <algorithm>

#include "data/ContainerLayout.h"

namespace mascot {

using namespace layout;

namespace {

void PutU16(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    PutU16(out, at, value & 0xFFFF);
    PutU16(out, at + 2, value >> 16);
}

uint32_t PaletteEntries(uint16_t bitCount) {
    return bitCount <= 8 ? (1u << bitCount) : 0;
}

// Header and colour table; the caller appends the bits.
std::vector<uint8_t> DibHead(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
                             std::span<const uint32_t> palette) {
    const uint32_t entries = PaletteEntries(bitCount);
    std::vector<uint8_t> dib(kDibHeaderSize + 4 * entries, 0);
    PutU32(dib, kDibSize, kDibHeaderSize);
    PutU32(dib, kDibWidth, static_cast<uint32_t>(width));
    PutU32(dib, kDibHeight, static_cast<uint32_t>(height));
    PutU16(dib, kDibPlanes, 1);
    PutU16(dib, kDibBitCount, bitCount);
    PutU32(dib, kDibCompression, compression);
    for (uint32_t i = 0; i < entries && i < palette.size(); ++i) {
        const size_t at = kDibHeaderSize + 4 * i;
        dib[at] = static_cast<uint8_t>(palette[i]);            // blue
        dib[at + 1] = static_cast<uint8_t>(palette[i] >> 8);   // green
        dib[at + 2] = static_cast<uint8_t>(palette[i] >> 16);  // red
    }
    return dib;
}

template <typename Pixel>
Pixel PixelAt(std::span<const Pixel> pixels, int32_t width, int32_t x, int32_t row) {
    const size_t index = static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(x);
    return index < pixels.size() ? pixels[index] : Pixel{0};
}

// The rows bottom-up at 1, 4 or 8 bits per pixel.
std::vector<uint8_t> IndexedRows(int32_t width, int32_t height, uint16_t bitCount,
                                 std::span<const uint8_t> indices) {
    const uint32_t stride = DibRowStride(width, bitCount);
    std::vector<uint8_t> rows(static_cast<size_t>(stride) * static_cast<size_t>(std::max(height, 0)), 0);
    const uint32_t perByte = 8u / bitCount;
    const uint8_t valueMask = static_cast<uint8_t>((1u << bitCount) - 1u);
    for (int32_t row = 0; row < height; ++row) {
        uint8_t* out = rows.data() + static_cast<size_t>(height - 1 - row) * stride;
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t value = PixelAt(indices, width, x, row) & valueMask;
            const uint32_t shift = (perByte - 1u - static_cast<uint32_t>(x) % perByte) * bitCount;
            out[static_cast<uint32_t>(x) / perByte] |= static_cast<uint8_t>(value << shift);
        }
    }
    return rows;
}

}  // namespace

uint32_t DibRowStride(int32_t width, uint16_t bitCount) {
    if (width <= 0)
        return 0;
    return static_cast<uint32_t>((static_cast<uint64_t>(width) * bitCount + 31) / 32 * 4);
}

std::vector<uint8_t> MakeIndexedDib(int32_t width, int32_t height, uint16_t bitCount,
                                    std::span<const uint32_t> palette, std::span<const uint8_t> indices) {
    std::vector<uint8_t> dib = DibHead(width, height, bitCount, 0, palette);
    if (bitCount != 1 && bitCount != 4 && bitCount != 8)
        return dib;
    const std::vector<uint8_t> rows = IndexedRows(width, height, bitCount, indices);
    PutU32(dib, kDibSizeImage, static_cast<uint32_t>(rows.size()));
    dib.insert(dib.end(), rows.begin(), rows.end());
    return dib;
}

std::vector<uint8_t> MakeRgbDib(int32_t width, int32_t height, std::span<const uint32_t> pixels) {
    std::vector<uint8_t> dib = DibHead(width, height, 24, 0, {});
    const uint32_t stride = DibRowStride(width, 24);
    std::vector<uint8_t> rows(static_cast<size_t>(stride) * static_cast<size_t>(std::max(height, 0)), 0);
    for (int32_t row = 0; row < height; ++row) {
        uint8_t* out = rows.data() + static_cast<size_t>(height - 1 - row) * stride;
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t rgb = PixelAt(pixels, width, x, row);
            out[3 * x] = static_cast<uint8_t>(rgb);
            out[3 * x + 1] = static_cast<uint8_t>(rgb >> 8);
            out[3 * x + 2] = static_cast<uint8_t>(rgb >> 16);
        }
    }
    PutU32(dib, kDibSizeImage, static_cast<uint32_t>(rows.size()));
    dib.insert(dib.end(), rows.begin(), rows.end());
    return dib;
}

std::vector<uint8_t> MakeMaskDib(int32_t width, int32_t height, std::span<const uint8_t> pixels) {
    std::vector<uint8_t> bits(pixels.begin(), pixels.end());
    for (uint8_t& bit : bits)
        bit = bit != 0;
    const uint32_t blackWhite[] = {0x000000, 0xFFFFFF};
    return MakeIndexedDib(width, height, 1, blackWhite, bits);
}

std::vector<uint8_t> MakePackedMaskDib(int32_t width, int32_t height, std::span<const uint8_t> pixels) {
    std::vector<uint8_t> plain = MakeMaskDib(width, height, pixels);
    const size_t bitsAt = kDibHeaderSize + 8;
    const std::vector<uint8_t> packed = PackMaskBits(std::span<const uint8_t>(plain).subspan(bitsAt));
    plain.resize(bitsAt);
    PutU32(plain, kDibCompression, kPackedMaskCompression);
    PutU32(plain, kDibSizeImage, static_cast<uint32_t>(packed.size()));
    plain.insert(plain.end(), packed.begin(), packed.end());
    return plain;
}

std::vector<uint8_t> PackMaskBits(std::span<const uint8_t> rows) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i < rows.size();) {
        const uint8_t b = rows[i];
        if (b == 0x00 || b == 0xFF) {
            size_t run = 1;
            while (i + run < rows.size() && rows[i + run] == b && run < 255)
                ++run;
            out.push_back(b == 0x00 ? 0xCC : 0x33);
            out.push_back(static_cast<uint8_t>(run));
            i += run;
            continue;
        }
        out.push_back(b);
        if (b == 0xCC || b == 0x33)
            out.push_back(0x00);
        ++i;
    }
    return out;
}

}  // namespace mascot
