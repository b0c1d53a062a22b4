#include "render/Dib.h"

#include "data/ByteReader.h"

namespace mascot {
namespace {

// Header fields, as offsets from the header's start.
constexpr size_t kFieldHeaderSize = 0;
constexpr size_t kFieldWidth = 4;
constexpr size_t kFieldHeight = 8;
constexpr size_t kFieldBitCount = 14;
constexpr size_t kFieldCompression = 16;

// The caller has checked that the header's 40 bytes are there, so these reads cannot fail.
uint16_t ReadU16(std::span<const uint8_t> bytes, size_t at) { return ByteReader(bytes).U16At(at).ValueOr(0); }

uint32_t ReadU32(std::span<const uint8_t> bytes, size_t at) { return ByteReader(bytes).U32At(at).ValueOr(0); }

std::optional<Dib> Fail(DibFault reason, DibFault* fault) {
    if (fault)
        *fault = reason;
    return std::nullopt;
}

}  // namespace

uint64_t Dib::RowBytes() const {
    const uint64_t rowBits = uint64_t(width > 0 ? width : 0) * bitCount;
    return (rowBits + 31) / 32 * 4;
}

bool Dib::HasAllRows() const {
    const uint64_t row = RowBytes();
    if (row == 0 || height <= 0)
        return false;
    // Divide rather than multiply: a hostile width times height may not fit in 64 bits.
    return uint64_t(height) <= bits.size() / row;
}

std::optional<Dib> ParseDib(std::span<const uint8_t> bytes, DibFault* fault) {
    if (bytes.size() < kDibHeaderSize)
        return Fail(DibFault::kTruncatedHeader, fault);
    if (ReadU32(bytes, kFieldHeaderSize) != kDibHeaderSize)
        return Fail(DibFault::kHeaderSize, fault);

    Dib dib;
    dib.width = static_cast<int32_t>(ReadU32(bytes, kFieldWidth));
    dib.height = static_cast<int32_t>(ReadU32(bytes, kFieldHeight));
    dib.bitCount = ReadU16(bytes, kFieldBitCount);
    dib.compression = ReadU32(bytes, kFieldCompression);
    if (dib.width <= 0 || dib.height <= 0)
        return Fail(DibFault::kNonPositiveSize, fault);

    const size_t tableBytes = size_t{4} * ColorTableEntries(dib.bitCount);
    if (bytes.size() - kDibHeaderSize < tableBytes)
        return Fail(DibFault::kTruncatedColorTable, fault);
    dib.colorTable = bytes.subspan(kDibHeaderSize, tableBytes);
    dib.bits = bytes.subspan(kDibHeaderSize + tableBytes);
    if (fault)
        *fault = DibFault::kNone;
    return dib;
}

}  // namespace mascot
