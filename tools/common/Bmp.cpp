#include "tools/common/Bmp.h"

#include "render/Dib.h"
#include "tools/common/BinaryFile.h"

namespace mascot {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr int32_t kMaxSide = 16384;

void SetError(std::string* error, const std::string& text) {
    if (error)
        *error = text;
}

// Bits `bitCount` wide at pixel x of a row, most significant first within a byte.
uint32_t IndexAt(std::span<const uint8_t> row, int32_t x, uint16_t bitCount) {
    const uint64_t bit = uint64_t(x) * bitCount;
    const uint8_t byte = row[bit / 8];
    const unsigned shift = 8 - bitCount - unsigned(bit % 8);
    return (byte >> shift) & ((1u << bitCount) - 1u);
}

uint32_t PixelAt(const Dib& dib, std::span<const uint8_t> row, int32_t x) {
    if (dib.bitCount >= 24) {
        const size_t at = size_t(x) * (dib.bitCount / 8);
        return kOpaque | (uint32_t{row[at + 2]} << 16) | (uint32_t{row[at + 1]} << 8) | row[at];
    }
    const size_t entry = size_t(IndexAt(row, x, dib.bitCount)) * 4;
    const auto& table = dib.colorTable;
    return kOpaque | (uint32_t{table[entry + 2]} << 16) | (uint32_t{table[entry + 1]} << 8) | table[entry];
}

}  // namespace

std::optional<Picture> DecodeBmp(std::span<const uint8_t> bytes, std::string* error) {
    if (bytes.size() < kFileHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') {
        SetError(error, "not a BMP file (no \"BM\" at its start)");
        return std::nullopt;
    }
    DibFault fault = DibFault::kNone;
    const auto dib = ParseDib(bytes.subspan(kFileHeaderSize), &fault);
    if (!dib) {
        SetError(error, fault == DibFault::kHeaderSize
                            ? "only BMP files with the 40-byte header are read (save as a plain Windows BMP)"
                            : "the bitmap header is incomplete, top-down or of size 0");
        return std::nullopt;
    }
    const uint16_t depth = dib->bitCount;
    if ((depth != 1 && depth != 4 && depth != 8 && depth != 24 && depth != 32) || dib->compression != 0) {
        SetError(error, std::to_string(depth) + "-bit BMP with compression " +
                            std::to_string(dib->compression) +
                            " is not read (uncompressed 1, 4, 8, 24 or 32 bits only)");
        return std::nullopt;
    }
    if (dib->width > kMaxSide || dib->height > kMaxSide || !dib->HasAllRows()) {
        SetError(error, "the pixel rows run past the end of the file");
        return std::nullopt;
    }
    Picture picture{dib->width, dib->height, std::vector<uint32_t>(size_t(dib->width) * size_t(dib->height))};
    const size_t stride = size_t(dib->RowBytes());
    for (int32_t y = 0; y < dib->height; ++y) {
        // Rows are stored bottom row first.
        const auto row = dib->bits.subspan(size_t(dib->height - 1 - y) * stride, stride);
        for (int32_t x = 0; x < dib->width; ++x)
            picture.pixels[size_t(y) * size_t(dib->width) + size_t(x)] = PixelAt(*dib, row, x);
    }
    return picture;
}

std::optional<Picture> ReadBmp(const std::string& path, std::string* error) {
    std::string reason;
    const auto bytes = ReadBinaryFile(path, reason);
    if (!bytes) {
        SetError(error, path + ": " + reason);
        return std::nullopt;
    }
    auto picture = DecodeBmp(*bytes, &reason);
    if (!picture)
        SetError(error, path + ": " + reason);
    return picture;
}

std::optional<Picture> ReadPicture(const std::string& path, std::string* error) {
    std::string reason;
    const auto bytes = ReadBinaryFile(path, reason);
    if (!bytes) {
        SetError(error, path + ": " + reason);
        return std::nullopt;
    }
    if (bytes->size() >= 2 && (*bytes)[0] == 'B' && (*bytes)[1] == 'M')
        return ReadBmp(path, error);
    return ReadPng(path, error);
}

}  // namespace mascot
