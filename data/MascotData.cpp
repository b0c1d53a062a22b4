#include "data/MascotData.h"

#include "data/ByteReader.h"
#include "data/ContainerLayout.h"
#include "data/Crc16Bits.h"
#include "data/StringChains.h"

namespace mascot {

using namespace layout;

MascotData::MascotData(std::span<const uint8_t> bytes) : m_bytes(bytes) {
    if (bytes.size() < kHeaderSize)
        return;
    const uint16_t version = LoadU16(bytes.data() + kVersion);
    m_directory = ImageDirectory::At(bytes, LoadU32(bytes.data() + kDirectoryOffset));
    m_table = PatternTable::At(bytes, LoadU32(bytes.data() + kTableOffset), version);
}

std::optional<uint16_t> MascotData::HeaderU16(uint32_t offset) const {
    if (m_bytes.size() < kHeaderSize)
        return std::nullopt;
    return LoadU16(m_bytes.data() + offset);
}

std::optional<uint32_t> MascotData::HeaderU32(uint32_t offset) const {
    if (m_bytes.size() < kHeaderSize)
        return std::nullopt;
    return LoadU32(m_bytes.data() + offset);
}

bool MascotData::HasMagic() const {
    return m_bytes.size() >= 2 && m_bytes[0] == 'K' && m_bytes[1] == 'Q';
}

std::optional<uint16_t> MascotData::Version() const {
    return HeaderU16(kVersion);
}
std::optional<uint32_t> MascotData::DirectoryOffset() const {
    return HeaderU32(kDirectoryOffset);
}
std::optional<uint32_t> MascotData::TableOffset() const {
    return HeaderU32(kTableOffset);
}
std::optional<uint32_t> MascotData::TotalLength() const {
    return HeaderU32(kTotalLength);
}
std::optional<uint16_t> MascotData::StoredHeaderChecksum() const {
    return HeaderU16(kHeaderChecksum);
}

std::optional<uint16_t> MascotData::StoredTableChecksum() const {
    return m_table ? m_table->StoredChecksum() : std::nullopt;
}

std::optional<uint16_t> MascotData::ComputedHeaderChecksum() const {
    return Crc16Bits(m_bytes, kHeaderChecksumBits);
}

std::optional<uint16_t> MascotData::ComputedTableChecksum() const {
    return m_table ? m_table->ComputedChecksum() : std::nullopt;
}

bool MascotData::StringsScrambled() const {
    return mascot::StringsScrambled(Version().value_or(0));
}

std::optional<uint16_t> MascotData::FrameWidth() const {
    return m_directory ? std::optional<uint16_t>(m_directory->FrameWidth()) : std::nullopt;
}

std::optional<uint16_t> MascotData::FrameHeight() const {
    return m_directory ? std::optional<uint16_t>(m_directory->FrameHeight()) : std::nullopt;
}

std::optional<uint16_t> MascotData::ImageCount() const {
    return m_directory ? std::optional<uint16_t>(m_directory->ImageCount()) : std::nullopt;
}

std::optional<FrameImage> MascotData::Image(uint16_t n) const {
    return m_directory ? m_directory->Image(n) : std::nullopt;
}

std::optional<std::string_view> MascotData::Title() const {
    return m_table ? m_table->Title() : std::nullopt;
}

std::optional<std::string_view> MascotData::AboutText() const {
    return m_table ? m_table->AboutText() : std::nullopt;
}

std::optional<uint16_t> MascotData::PatternCount() const {
    return m_table ? std::optional<uint16_t>(m_table->PatternCount()) : std::nullopt;
}

std::optional<uint16_t> MascotData::DefaultPattern() const {
    return m_table ? std::optional<uint16_t>(m_table->DefaultPattern()) : std::nullopt;
}

std::optional<uint16_t> MascotData::DefaultPosition() const {
    return m_table ? std::optional<uint16_t>(m_table->DefaultPosition()) : std::nullopt;
}

std::optional<Pattern> MascotData::PatternAt(uint16_t i) const {
    return m_table ? m_table->PatternAt(i) : std::nullopt;
}

std::optional<std::span<const uint8_t>> MascotData::PatternCode(uint16_t i) const {
    return m_table ? m_table->PatternCode(i) : std::nullopt;
}

std::optional<std::string> MascotData::PatternName(uint16_t i) const {
    return m_table ? m_table->PatternName(i) : std::nullopt;
}

uint16_t MascotData::MenuColumnLength() const {
    return m_table ? m_table->MenuColumnLength() : 0;
}

}  // namespace mascot
