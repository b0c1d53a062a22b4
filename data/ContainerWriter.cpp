#include "data/ContainerWriter.h"

#include <algorithm>

#include "data/ByteReader.h"
#include "data/ContainerLayout.h"
#include "data/Crc16Bits.h"
#include "data/StringChains.h"

namespace mascot {

using namespace layout;

namespace {

void AppendU16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void AppendU32(std::vector<uint8_t>& out, uint32_t value) {
    AppendU16(out, static_cast<uint16_t>(value));
    AppendU16(out, static_cast<uint16_t>(value >> 16));
}

void AppendField(std::vector<uint8_t>& out, std::string_view text, size_t size) {
    const size_t used = std::min(text.size(), size);
    out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(used));
    out.insert(out.end(), size - used, 0);
}

// The bitmap file header in front of a DIB: type 1, file size, reserved, bits offset.
void AppendFileHeader(std::vector<uint8_t>& out, std::span<const uint8_t> dib) {
    const uint16_t bitCount = dib.size() >= kDibBitCount + 2 ? LoadU16(dib.data() + kDibBitCount) : 0;
    const uint32_t tableSize = bitCount == 1 ? 8 : bitCount == 4 ? 64 : bitCount == 8 ? 1024 : 0;
    AppendU16(out, 1);
    AppendU32(out, static_cast<uint32_t>(kImgFileHeaderSize + dib.size()));
    AppendU32(out, 0);
    AppendU32(out, kImgFileHeaderSize + kDibHeaderSize + tableSize);
}

}  // namespace

uint32_t BuiltContainer::ImageOffsetField(uint16_t n) const {
    return directoryOffset + kDirImageOffsets + 4u * n;
}

uint32_t BuiltContainer::PatternOffsetField(uint16_t i) const {
    return tableOffset + kTblPatternOffsets + 4u * i;
}

BuiltContainer& BuiltContainer::PutBytes(uint64_t at, std::span<const uint8_t> data) {
    if (bytes.size() < at + data.size())
        bytes.resize(static_cast<size_t>(at + data.size()), 0);
    std::copy(data.begin(), data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return *this;
}

BuiltContainer& BuiltContainer::PutU8(uint64_t at, uint8_t value) {
    return PutBytes(at, std::span(&value, 1));
}

BuiltContainer& BuiltContainer::PutU16(uint64_t at, uint16_t value) {
    const uint8_t le[] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    return PutBytes(at, le);
}

BuiltContainer& BuiltContainer::PutU32(uint64_t at, uint32_t value) {
    PutU16(at, static_cast<uint16_t>(value));
    return PutU16(at + 2, static_cast<uint16_t>(value >> 16));
}

BuiltContainer& BuiltContainer::Truncate(size_t length) {
    if (length < bytes.size())
        bytes.resize(length);
    return *this;
}

BuiltContainer& BuiltContainer::RewriteTotalLength() {
    if (bytes.size() >= kHeaderSize)
        PutU32(kTotalLength, static_cast<uint32_t>(bytes.size()));
    return *this;
}

BuiltContainer& BuiltContainer::RewriteChecksums() {
    if (bytes.size() >= kHeaderSize)
        PutU16(kHeaderChecksum, *Crc16Bits(bytes, kHeaderChecksumBits));
    if (tableOffset >= kPrefixSize && bytes.size() >= uint64_t{tableOffset} + kTblFixedSize) {
        const uint16_t count = LoadU16(bytes.data() + tableOffset + kTblPatternCount);
        const auto crc = Crc16Bits(std::span(bytes).subspan(tableOffset), TableChecksumBits(count));
        if (crc)
            PutU16(TableChecksumField(), *crc);
    }
    return *this;
}

BuiltContainer& BuiltContainer::BreakHeaderChecksum() {
    if (bytes.size() >= kHeaderSize)
        bytes[kHeaderChecksum] ^= 1;
    return *this;
}

BuiltContainer& BuiltContainer::BreakTableChecksum() {
    if (tableOffset >= kPrefixSize && TableChecksumField() < bytes.size())
        bytes[TableChecksumField()] ^= 1;
    return *this;
}

ContainerWriter& ContainerWriter::SetVersion(uint16_t version) {
    m_version = version;
    return *this;
}

ContainerWriter& ContainerWriter::SetFrameSize(uint16_t width, uint16_t height) {
    m_frameWidth = width;
    m_frameHeight = height;
    return *this;
}

ContainerWriter& ContainerWriter::SetTitle(std::string_view text) {
    m_title = text;
    return *this;
}

ContainerWriter& ContainerWriter::SetAboutText(std::string_view text) {
    m_about = text;
    return *this;
}

ContainerWriter& ContainerWriter::SetDefaults(uint16_t pattern, uint16_t position) {
    m_defaultPattern = pattern;
    m_defaultPosition = position;
    return *this;
}

ContainerWriter& ContainerWriter::SetMenuColumns(uint16_t length, uint16_t gate) {
    m_menuColumnLength = length;
    m_columnGate = gate;
    return *this;
}

ContainerWriter& ContainerWriter::AddImage(uint16_t x, uint16_t y, std::vector<uint8_t> dib) {
    m_images.push_back(Image{x, y, std::move(dib)});
    return *this;
}

ContainerWriter& ContainerWriter::AddPattern(std::vector<uint8_t> code) {
    m_patterns.push_back(PatternPart{std::nullopt, std::move(code)});
    return *this;
}

ContainerWriter& ContainerWriter::AddNamedPattern(std::string_view name, std::vector<uint8_t> body) {
    m_patterns.push_back(PatternPart{std::string(name), std::move(body)});
    return *this;
}

std::vector<uint8_t> ContainerWriter::NameInstruction(std::string_view name, uint16_t version) {
    std::vector<uint8_t> out{kNameOpcode};
    AppendU16(out, static_cast<uint16_t>(name.size()));
    const std::span<const uint8_t> plain(reinterpret_cast<const uint8_t*>(name.data()), name.size());
    if (!StringsScrambled(version)) {
        out.insert(out.end(), plain.begin(), plain.end());
    } else if (plain.empty()) {
        out.push_back(0);
    } else {
        const std::vector<uint8_t> stored = EncodePatternNameChain(plain);
        out.insert(out.end(), stored.begin(), stored.end());
    }
    return out;
}

void ContainerWriter::WriteDirectory(BuiltContainer& out) const {
    std::vector<uint8_t>& bytes = out.bytes;
    out.directoryOffset = static_cast<uint32_t>(bytes.size());
    AppendU16(bytes, static_cast<uint16_t>(m_images.size()));
    AppendU16(bytes, m_frameWidth);
    AppendU16(bytes, m_frameHeight);
    AppendU16(bytes, 0);
    uint32_t next = kDirImageOffsets + 4 * static_cast<uint32_t>(m_images.size());
    for (const Image& image : m_images) {
        AppendU32(bytes, next);
        next += kImgDib + static_cast<uint32_t>(image.dib.size());
    }
    for (const Image& image : m_images) {
        out.imageStarts.push_back(static_cast<uint32_t>(bytes.size()));
        AppendU16(bytes, image.x);
        AppendU16(bytes, image.y);
        AppendFileHeader(bytes, image.dib);
        bytes.insert(bytes.end(), image.dib.begin(), image.dib.end());
    }
}

void ContainerWriter::WriteTable(BuiltContainer& out) const {
    std::vector<uint8_t>& bytes = out.bytes;
    AppendU16(bytes, m_menuColumnLength);
    AppendU16(bytes, m_columnGate);
    AppendU16(bytes, 0);  // table checksum, written last
    out.tableOffset = static_cast<uint32_t>(bytes.size());
    AppendField(bytes, m_title, kTblTitleSize);
    AppendField(bytes, m_about, kTblAboutSize);
    AppendU16(bytes, static_cast<uint16_t>(m_patterns.size()));
    AppendU16(bytes, m_defaultPattern);
    AppendU16(bytes, m_defaultPosition);
    AppendU16(bytes, 0);
    std::vector<std::vector<uint8_t>> codes;
    for (const PatternPart& pattern : m_patterns) {
        std::vector<uint8_t> code =
            pattern.name ? NameInstruction(*pattern.name, m_version) : std::vector<uint8_t>{};
        code.insert(code.end(), pattern.code.begin(), pattern.code.end());
        codes.push_back(std::move(code));
    }
    uint32_t next = kTblPatternOffsets + 4 * static_cast<uint32_t>(codes.size());
    for (const auto& code : codes) {
        AppendU32(bytes, next);
        next += static_cast<uint32_t>(code.size());
    }
    for (const auto& code : codes) {
        out.patternStarts.push_back(static_cast<uint32_t>(bytes.size()));
        bytes.insert(bytes.end(), code.begin(), code.end());
    }
}

BuiltContainer ContainerWriter::Build() const {
    BuiltContainer out;
    out.bytes = {'K', 'Q'};
    AppendU16(out.bytes, m_version);
    out.bytes.resize(kHeaderSize, 0);
    WriteDirectory(out);
    WriteTable(out);
    out.PutU32(kDirectoryOffset, out.directoryOffset);
    out.PutU32(kTableOffset, out.tableOffset);
    out.RewriteTotalLength();
    out.RewriteChecksums();
    return out;
}

}  // namespace mascot
