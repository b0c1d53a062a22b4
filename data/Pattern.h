// One behaviour script of the container: byte code that starts at its first byte and has no
// length of its own, so its code runs to the end of the container. Its first instruction is
// Name, whose length and bytes the pattern menu reads at fixed places.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace mascot {

class Pattern {
public:
    // The pattern starting at `start` of `container`, whose version word decides how its name
    // is stored. Nothing unless at least its first byte lies inside.
    static std::optional<Pattern> At(std::span<const uint8_t> container, uint64_t start, uint16_t version);

    // Where the pattern starts, counted from the container's start.
    uint64_t Offset() const { return m_start; }
    // From the pattern's first byte to the end of the container; never empty.
    std::span<const uint8_t> Code() const { return m_code; }

    // Whether byte 0 holds the Name opcode.
    bool StartsWithName() const;
    // The name length at bytes 1 and 2; nothing when they lie outside.
    std::optional<uint16_t> NameLength() const;
    // The stored name bytes from byte 3; nothing when they run past the end.
    std::optional<std::span<const uint8_t>> StoredName() const;
    // The name as the menu shows it: decoded with the pattern-name chain from version 301 on,
    // taken as stored below, and cut at its first zero byte. Nothing when the bytes run past the
    // end or the length is above 255 (the menu has room for 255 bytes). Shift-JIS bytes.
    std::optional<std::string> Name() const;

private:
    std::span<const uint8_t> m_code;
    uint64_t m_start = 0;
    uint16_t m_version = 0;
};

}  // namespace mascot
