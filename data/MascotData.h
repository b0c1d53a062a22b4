// A read-only view over one mascot container: the header, the image directory, the pattern
// table and the patterns, read in place from bytes the view does not own. The bytes are
// untrusted: every read is bounds-checked, and anything whose offset, index or length points
// outside the container comes back as nothing (the caller skips that item: a draw does
// nothing, a pattern does not start). Nothing is validated up front; see ContainerValidation.h
// for what a data file must pass and IsUsable() for what any source must.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "data/FrameImage.h"
#include "data/ImageDirectory.h"
#include "data/Pattern.h"
#include "data/PatternTable.h"

namespace mascot {

class MascotData {
public:
    // An empty view: nothing usable.
    MascotData() = default;
    // A view over `bytes`, which must outlive it.
    explicit MascotData(std::span<const uint8_t> bytes);

    std::span<const uint8_t> Bytes() const { return m_bytes; }
    size_t Size() const { return m_bytes.size(); }

    // Whether the header, the directory's fixed part and the table's fixed part lie inside, so
    // that the program can start on the data. Offsets beyond them are checked as they are read.
    bool IsUsable() const { return m_directory && m_table; }

    // Header fields; nothing when the container is shorter than the header.
    bool HasMagic() const;  // the first two bytes are "KQ"
    std::optional<uint16_t> Version() const;
    std::optional<uint32_t> DirectoryOffset() const;
    std::optional<uint32_t> TableOffset() const;
    std::optional<uint32_t> TotalLength() const;
    std::optional<uint16_t> StoredHeaderChecksum() const;
    std::optional<uint16_t> StoredTableChecksum() const;
    // The checksums as computed from the bytes; nothing when they do not reach that far.
    std::optional<uint16_t> ComputedHeaderChecksum() const;
    std::optional<uint16_t> ComputedTableChecksum() const;
    // Version 301 and above: pattern names and script strings are chained (StringChains.h).
    // A container without a version word counts as plain.
    bool StringsScrambled() const;

    // The blocks; nothing when their fixed part lies outside.
    const std::optional<ImageDirectory>& Directory() const { return m_directory; }
    const std::optional<PatternTable>& Table() const { return m_table; }

    // Shortcuts through the directory.
    std::optional<uint16_t> FrameWidth() const;
    std::optional<uint16_t> FrameHeight() const;
    std::optional<uint16_t> ImageCount() const;
    std::optional<FrameImage> Image(uint16_t n) const;

    // Shortcuts through the table.
    std::optional<std::string_view> Title() const;
    std::optional<std::string_view> AboutText() const;
    std::optional<uint16_t> PatternCount() const;
    std::optional<uint16_t> DefaultPattern() const;
    std::optional<uint16_t> DefaultPosition() const;
    std::optional<Pattern> PatternAt(uint16_t i) const;
    std::optional<std::span<const uint8_t>> PatternCode(uint16_t i) const;
    std::optional<std::string> PatternName(uint16_t i) const;
    // 0 (one column) unless the column gate is above 4; 0 too when there is no table.
    uint16_t MenuColumnLength() const;

private:
    std::optional<uint16_t> HeaderU16(uint32_t offset) const;
    std::optional<uint32_t> HeaderU32(uint32_t offset) const;

    std::span<const uint8_t> m_bytes;
    std::optional<ImageDirectory> m_directory;
    std::optional<PatternTable> m_table;
};

// Whether `bytes` can carry the program: see MascotData::IsUsable.
inline bool ContainerIsUsable(std::span<const uint8_t> bytes) {
    return MascotData(bytes).IsUsable();
}

}  // namespace mascot
