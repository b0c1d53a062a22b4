// The pattern table: title, about text, defaults and the offsets of the patterns, with the six
// bytes in front of it (menu column length, column gate, table checksum).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "data/Pattern.h"

namespace mascot {

class PatternTable {
public:
    // The table at `offset` of `container`; nothing unless its 104-byte fixed part lies inside.
    // `version` is the container's version word, handed on to the patterns for their names.
    static std::optional<PatternTable> At(std::span<const uint8_t> container, uint64_t offset,
                                          uint16_t version);

    uint64_t Offset() const { return m_offset; }

    // Title and about text: the bytes before the first NUL of their field (Shift-JIS, the about
    // text may hold line feeds). Nothing when the field holds no NUL.
    std::optional<std::string_view> Title() const;
    std::optional<std::string_view> AboutText() const;
    // The raw 32- and 64-byte fields.
    std::span<const uint8_t> TitleField() const;
    std::span<const uint8_t> AboutField() const;

    uint16_t PatternCount() const { return m_patternCount; }
    // 0 = a pattern chosen at random, n = pattern n (1-based), as stored.
    uint16_t DefaultPattern() const { return m_defaultPattern; }
    // A percentage, as stored (0..100 in well-formed data).
    uint16_t DefaultPosition() const { return m_defaultPosition; }

    // Where the entry for pattern i lies, counted from the container's start.
    uint64_t PatternOffsetField(uint16_t i) const;
    // Pattern i's offset from the table's start; nothing for i at or above the pattern count or
    // when the entry lies outside the container.
    std::optional<uint32_t> PatternOffset(uint16_t i) const;
    // Pattern i (0-based); nothing when its offset is absent or points outside.
    std::optional<Pattern> PatternAt(uint16_t i) const;
    // Pattern i's byte code, from its first byte to the end of the container.
    std::optional<std::span<const uint8_t>> PatternCode(uint16_t i) const;
    // Pattern i's name as the menu shows it (see Pattern::Name).
    std::optional<std::string> PatternName(uint16_t i) const;

    // Patterns per menu column: the stored length when the column gate is above 4, otherwise
    // (and when the prefix lies outside the container) 0, one column.
    uint16_t MenuColumnLength() const;
    // The prefix words as stored; nothing when the table starts less than 6 (or 2) bytes in.
    std::optional<uint16_t> StoredMenuColumnLength() const;
    std::optional<uint16_t> ColumnGate() const;
    std::optional<uint16_t> StoredChecksum() const;
    // The checksum over the first 4 * count + 104 bits of the table; nothing when those bytes
    // run past the end of the container.
    std::optional<uint16_t> ComputedChecksum() const;

private:
    std::optional<uint16_t> PrefixWord(uint32_t distance) const;

    std::span<const uint8_t> m_container;
    uint64_t m_offset = 0;
    uint16_t m_version = 0;
    uint16_t m_patternCount = 0;
    uint16_t m_defaultPattern = 0;
    uint16_t m_defaultPosition = 0;
};

}  // namespace mascot
