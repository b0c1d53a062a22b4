#include "data/PatternTable.h"

#include <algorithm>

#include "data/ByteReader.h"
#include "data/ContainerLayout.h"
#include "data/Crc16Bits.h"

namespace mascot {

using namespace layout;

namespace {

std::optional<std::string_view> UpToNul(std::span<const uint8_t> field) {
    const auto nul = std::find(field.begin(), field.end(), uint8_t{0});
    if (nul == field.end())
        return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(field.data()),
                            static_cast<size_t>(nul - field.begin()));
}

}  // namespace

std::optional<PatternTable> PatternTable::At(std::span<const uint8_t> container, uint64_t offset,
                                             uint16_t version) {
    auto fixed = ByteReader(container).BytesAt(offset, kTblFixedSize);
    if (!fixed)
        return std::nullopt;
    PatternTable table;
    table.m_container = container;
    table.m_offset = offset;
    table.m_version = version;
    table.m_patternCount = LoadU16(fixed->data() + kTblPatternCount);
    table.m_defaultPattern = LoadU16(fixed->data() + kTblDefaultPattern);
    table.m_defaultPosition = LoadU16(fixed->data() + kTblDefaultPosition);
    return table;
}

std::span<const uint8_t> PatternTable::TitleField() const {
    return m_container.subspan(static_cast<size_t>(m_offset + kTblTitle), kTblTitleSize);
}

std::span<const uint8_t> PatternTable::AboutField() const {
    return m_container.subspan(static_cast<size_t>(m_offset + kTblAbout), kTblAboutSize);
}

std::optional<std::string_view> PatternTable::Title() const {
    return UpToNul(TitleField());
}

std::optional<std::string_view> PatternTable::AboutText() const {
    return UpToNul(AboutField());
}

uint64_t PatternTable::PatternOffsetField(uint16_t i) const {
    return m_offset + kTblPatternOffsets + 4ull * i;
}

std::optional<uint32_t> PatternTable::PatternOffset(uint16_t i) const {
    if (i >= m_patternCount)
        return std::nullopt;
    return ByteReader(m_container).U32At(PatternOffsetField(i)).ToOptional();
}

std::optional<Pattern> PatternTable::PatternAt(uint16_t i) const {
    const auto offset = PatternOffset(i);
    if (!offset)
        return std::nullopt;
    return Pattern::At(m_container, m_offset + *offset, m_version);
}

std::optional<std::span<const uint8_t>> PatternTable::PatternCode(uint16_t i) const {
    const auto pattern = PatternAt(i);
    if (!pattern)
        return std::nullopt;
    return pattern->Code();
}

std::optional<std::string> PatternTable::PatternName(uint16_t i) const {
    const auto pattern = PatternAt(i);
    if (!pattern)
        return std::nullopt;
    return pattern->Name();
}

std::optional<uint16_t> PatternTable::PrefixWord(uint32_t distance) const {
    if (m_offset < distance)
        return std::nullopt;
    return ByteReader(m_container).U16At(m_offset - distance).ToOptional();
}

std::optional<uint16_t> PatternTable::StoredMenuColumnLength() const {
    return PrefixWord(kPrefixMenuColumnLength);
}

std::optional<uint16_t> PatternTable::ColumnGate() const {
    return PrefixWord(kPrefixColumnGate);
}

std::optional<uint16_t> PatternTable::StoredChecksum() const {
    return PrefixWord(kPrefixTableChecksum);
}

uint16_t PatternTable::MenuColumnLength() const {
    const auto gate = ColumnGate();
    if (!gate || *gate <= kColumnGateThreshold)
        return 0;
    return StoredMenuColumnLength().value_or(0);
}

std::optional<uint16_t> PatternTable::ComputedChecksum() const {
    return Crc16Bits(m_container.subspan(static_cast<size_t>(m_offset)), TableChecksumBits(m_patternCount));
}

}  // namespace mascot
