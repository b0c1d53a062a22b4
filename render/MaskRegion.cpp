#include "render/MaskRegion.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace mascot {
namespace {

// Walks the packed stream, handing each produced run to emit(value, count) until `limit` bytes
// are produced or the stream ends. Returns the number of bytes produced.
template <typename Emit>
uint64_t RunPacked(std::span<const uint8_t> stream, uint64_t limit, Emit emit) {
    uint64_t produced = 0;
    size_t at = 0;
    while (produced < limit && at < stream.size()) {
        const uint8_t marker = stream[at++];
        uint8_t value = marker;
        uint64_t count = 1;
        if (marker == kPackedInside || marker == kPackedOutside) {
            if (at >= stream.size())
                break;
            const uint8_t n = stream[at++];
            if (n != 0) {
                value = marker == kPackedInside ? 0x00 : 0xFF;
                count = n;
            }
        }
        count = std::min(count, limit - produced);
        emit(value, count, produced);
        produced += count;
    }
    return produced;
}

// Runs of value 0 in one row of a 1-bit mask, over the first `width` pixels. Whole bytes of
// outside (0xFF) or inside (0x00) pixels are stepped over at once.
void ScanRow1(const uint8_t* row, int32_t width, std::vector<Span>& spans) {
    auto bit = [row](int32_t x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; };
    int32_t x = 0;
    while (x < width) {
        while (x < width) {
            if ((x & 7) == 0 && width - x >= 8 && row[x >> 3] == 0xFF)
                x += 8;
            else if (bit(x) != 0)
                ++x;
            else
                break;
        }
        if (x >= width)
            return;
        const int32_t start = x;
        while (x < width) {
            if ((x & 7) == 0 && width - x >= 8 && row[x >> 3] == 0x00)
                x += 8;
            else if (bit(x) == 0)
                ++x;
            else
                break;
        }
        spans.push_back(Span{start, x});
    }
}

// Runs of value 0 in one row of a 4-bit mask, over the first `width` pixels.
void ScanRow4(const uint8_t* row, int32_t width, std::vector<Span>& spans) {
    auto pixel = [row](int32_t x) { return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4); };
    int32_t x = 0;
    while (x < width) {
        while (x < width && pixel(x) != 0)
            ++x;
        if (x >= width)
            return;
        const int32_t start = x;
        while (x < width && pixel(x) == 0)
            ++x;
        spans.push_back(Span{start, x});
    }
}

}  // namespace

size_t UnpackMask(std::span<uint8_t> output, std::span<const uint8_t> stream) {
    uint8_t* out = output.data();
    const uint64_t produced =
        RunPacked(stream, output.size(), [out](uint8_t value, uint64_t count, uint64_t at) {
            std::memset(out + at, value, static_cast<size_t>(count));
        });
    std::fill(output.begin() + static_cast<ptrdiff_t>(produced), output.end(), kUnpackFill);
    return static_cast<size_t>(produced);
}

uint64_t UnpackedLength(std::span<const uint8_t> stream, uint64_t limit) {
    return RunPacked(stream, limit, [](uint8_t, uint64_t, uint64_t) {});
}

bool CMaskRgn::BuildFromMask(const Dib& mask) {
    m_region.reset();
    m_pixels = {};
    m_nWidth = mask.width;
    m_nHeight = mask.height;
    m_nBitCount = mask.bitCount;
    m_nRowBytes = (m_nBitCount == 1 || m_nBitCount == 4) ? mask.RowBytes() : 0;
    m_nRowLength = m_nBitCount ? static_cast<int64_t>(m_nRowBytes * 8 / uint64_t(m_nBitCount)) : 0;
    if (m_nRowBytes == 0 || m_nWidth <= 0 || m_nHeight <= 0)
        return false;

    std::vector<uint8_t> unpacked;
    const bool packed = m_nBitCount == 1 && mask.compression == kCompressionPackedMask;
    if (packed) {
        // Only what the stream can produce is allocated: the rest would be fill, outside anyway.
        const uint64_t length = UnpackedLength(mask.bits, m_nRowBytes * uint64_t(m_nHeight));
        if (length > std::numeric_limits<size_t>::max())
            return false;
        unpacked.resize(static_cast<size_t>(length));
        UnpackMask(unpacked, mask.bits);
        m_pixels = unpacked;
    } else {
        if (!mask.HasAllRows())
            return false;
        m_pixels = mask.bits.first(static_cast<size_t>(m_nRowBytes * uint64_t(m_nHeight)));
    }

    Region region = ScanRows();
    if (packed)
        m_pixels = {};  // the buffer goes with this build
    if (region.IsEmpty())
        return false;
    m_region = std::move(region);
    return true;
}

Region CMaskRgn::ScanRows() const {
    Region region;
    const uint64_t rowsWithData = (m_pixels.size() + m_nRowBytes - 1) / m_nRowBytes;
    // Rows are stored bottom-up, so rows the data does not reach are the top ones; skip them.
    const int32_t first = rowsWithData >= uint64_t(m_nHeight) ? 0 : m_nHeight - int32_t(rowsWithData);
    std::vector<Span> spans;
    for (int32_t y = first; y < m_nHeight; ++y) {
        const uint64_t offset = uint64_t(m_nHeight - 1 - y) * m_nRowBytes;
        const uint64_t available = std::min<uint64_t>(m_nRowBytes, m_pixels.size() - offset);
        const int32_t width = static_cast<int32_t>(
            std::min<uint64_t>(uint64_t(m_nWidth), available * 8 / uint64_t(m_nBitCount)));
        spans.clear();
        if (m_nBitCount == 1)
            ScanRow1(m_pixels.data() + offset, width, spans);
        else
            ScanRow4(m_pixels.data() + offset, width, spans);
        region.AppendRow(y, spans);
    }
    return region;
}

uint8_t CMaskRgn::MaskPixel(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight || m_nRowBytes == 0)
        return OutsideValue();
    const uint64_t rowStart = uint64_t(m_nHeight - 1 - y) * m_nRowBytes;
    if (m_nBitCount == 1) {
        const uint64_t at = rowStart + uint64_t(x) / 8;
        return at < m_pixels.size() ? static_cast<uint8_t>((m_pixels[at] >> (7 - (x % 8))) & 1)
                                    : OutsideValue();
    }
    const uint64_t at = rowStart + uint64_t(x) / 2;
    if (at >= m_pixels.size())
        return OutsideValue();
    return static_cast<uint8_t>((x % 2) ? (m_pixels[at] & 0x0F) : (m_pixels[at] >> 4));
}

}  // namespace mascot
