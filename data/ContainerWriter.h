// Builds mascot containers from their parts, laid out as character data is: the header at 0,
// the image directory at 36, the frame images back to back, the six-byte table prefix, the
// pattern table, then the patterns; with the total length and both checksums written.
//
//     const BuiltContainer c = ContainerWriter()
//         .SetFrameSize(64, 112)
//         .AddImage(0, 0, MakeRgbDib(64, 112, pixels))
//         .SetTitle("Mascot")
//         .AddNamedPattern("walk", {0x00})
//         .Build();
//
// BuiltContainer then knows where every field went and can break the result on purpose (a
// wrong checksum, a wrong length, a short file, offsets past the end), for tests and fuzzing.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mascot {

class BuiltContainer {
public:
    std::vector<uint8_t> bytes;
    uint32_t directoryOffset = 0;
    uint32_t tableOffset = 0;
    std::vector<uint32_t> imageStarts;    // where each frame image starts, from the container's start
    std::vector<uint32_t> patternStarts;  // where each pattern starts, from the container's start

    std::span<const uint8_t> Span() const { return bytes; }
    // Where the offset entries lie, from the container's start.
    uint32_t ImageOffsetField(uint16_t n) const;
    uint32_t PatternOffsetField(uint16_t i) const;
    // Where the table prefix words lie.
    uint32_t MenuColumnLengthField() const { return tableOffset - 6; }
    uint32_t ColumnGateField() const { return tableOffset - 4; }
    uint32_t TableChecksumField() const { return tableOffset - 2; }

    // Overwrites bytes in place (little-endian); writing past the end grows the container with
    // zeros first. Checksums and the total length are left as they were: call the Rewrite
    // functions to make an edit consistent again.
    BuiltContainer& PutU8(uint64_t at, uint8_t value);
    BuiltContainer& PutU16(uint64_t at, uint16_t value);
    BuiltContainer& PutU32(uint64_t at, uint32_t value);
    BuiltContainer& PutBytes(uint64_t at, std::span<const uint8_t> data);
    // Cuts the container to `length` bytes (no-op when it is shorter already).
    BuiltContainer& Truncate(size_t length);
    // Recomputes the stored total length and both checksums from the bytes as they are now.
    BuiltContainer& RewriteTotalLength();
    BuiltContainer& RewriteChecksums();
    // Stores a checksum that does not match (the correct one with its low bit flipped).
    BuiltContainer& BreakHeaderChecksum();
    BuiltContainer& BreakTableChecksum();
};

class ContainerWriter {
public:
    // Version 302, frame 32 x 32, default pattern 1, default position 90, one menu column:
    // the character builds' settings.
    ContainerWriter& SetVersion(uint16_t version);
    ContainerWriter& SetFrameSize(uint16_t width, uint16_t height);
    // Shift-JIS bytes; copied into the 32- or 64-byte field and padded with zeros. A text that
    // fills the field leaves no room for the NUL (cut to the field's size).
    ContainerWriter& SetTitle(std::string_view text);
    ContainerWriter& SetAboutText(std::string_view text);
    ContainerWriter& SetDefaults(uint16_t pattern, uint16_t position);
    // The two words in front of the table: patterns per menu column, and the gate that must be
    // above 4 for that length to count.
    ContainerWriter& SetMenuColumns(uint16_t length, uint16_t gate);
    // A frame image: `dib` is the 40-byte header, colour table and bits (DibWriter.h); the
    // writer puts the placement and the bitmap file header in front.
    ContainerWriter& AddImage(uint16_t x, uint16_t y, std::vector<uint8_t> dib);
    // A pattern of raw byte code, taken as it is.
    ContainerWriter& AddPattern(std::vector<uint8_t> code);
    // A pattern that starts with the Name instruction for `name` (stored for the version set at
    // Build time), followed by `body`.
    ContainerWriter& AddNamedPattern(std::string_view name, std::vector<uint8_t> body);

    BuiltContainer Build() const;

    // The Name instruction: opcode 16, the length as a u16, the name bytes: plain below version
    // 301, in the pattern-name chain from 301 on. An empty scrambled name gets the one stored
    // byte the interpreter's string reader consumes even for length 0.
    static std::vector<uint8_t> NameInstruction(std::string_view name, uint16_t version);

private:
    struct Image {
        uint16_t x = 0;
        uint16_t y = 0;
        std::vector<uint8_t> dib;
    };
    struct PatternPart {
        std::optional<std::string> name;
        std::vector<uint8_t> code;
    };

    void WriteDirectory(BuiltContainer& out) const;
    void WriteTable(BuiltContainer& out) const;

    uint16_t m_version = 302;
    uint16_t m_frameWidth = 32;
    uint16_t m_frameHeight = 32;
    std::string m_title;
    std::string m_about;
    uint16_t m_defaultPattern = 1;
    uint16_t m_defaultPosition = 90;
    uint16_t m_menuColumnLength = 0;
    uint16_t m_columnGate = 0;
    std::vector<Image> m_images;
    std::vector<PatternPart> m_patterns;
};

}  // namespace mascot
