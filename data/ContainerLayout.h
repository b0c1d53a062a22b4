// Where things lie in a mascot container. Header offsets count from the container's start,
// directory offsets from the directory's start, table offsets from the table's start; every
// number is little-endian and blocks are packed without gaps.
#pragma once

#include <cstdint>

namespace mascot::layout {

// Header.
inline constexpr uint32_t kHeaderSize = 36;
inline constexpr uint32_t kMagic = 0;  // "KQ"
inline constexpr uint32_t kVersion = 2;
inline constexpr uint32_t kDirectoryOffset = 4;
inline constexpr uint32_t kTableOffset = 8;
inline constexpr uint32_t kTotalLength = 28;
inline constexpr uint32_t kHeaderChecksum = 34;
// The header checksum covers the magic, the version and the top two bits of byte 4: bits, not
// bytes.
inline constexpr uint16_t kHeaderChecksumBits = 34;

// The newest container version this program reads.
inline constexpr uint16_t kNewestVersion = 303;
// From this version on, a data file is checked for its length and checksums.
inline constexpr uint16_t kFirstCheckedVersion = 301;

// Image directory.
inline constexpr uint32_t kDirImageCount = 0;
inline constexpr uint32_t kDirFrameWidth = 2;
inline constexpr uint32_t kDirFrameHeight = 4;
inline constexpr uint32_t kDirImageOffsets = 8;
inline constexpr uint32_t kDirFixedSize = 8;

// Frame image: an x/y placement, a 14-byte bitmap file header, then the DIB.
inline constexpr uint32_t kImgX = 0;
inline constexpr uint32_t kImgY = 2;
inline constexpr uint32_t kImgFileHeader = 4;
inline constexpr uint32_t kImgFileHeaderSize = 14;
inline constexpr uint32_t kImgDib = 18;
inline constexpr uint32_t kDibHeaderSize = 40;
inline constexpr uint32_t kImgColourTable = kImgDib + kDibHeaderSize;  // 58

// Offsets within the 40-byte DIB header.
inline constexpr uint32_t kDibSize = 0;
inline constexpr uint32_t kDibWidth = 4;
inline constexpr uint32_t kDibHeight = 8;
inline constexpr uint32_t kDibPlanes = 12;
inline constexpr uint32_t kDibBitCount = 14;
inline constexpr uint32_t kDibCompression = 16;
inline constexpr uint32_t kDibSizeImage = 20;
inline constexpr uint32_t kDibXPelsPerMeter = 24;
inline constexpr uint32_t kDibYPelsPerMeter = 28;
inline constexpr uint32_t kDibColoursUsed = 32;
inline constexpr uint32_t kDibColoursImportant = 36;

// A 1-bit image with this compression value holds a packed mask instead of plain rows.
inline constexpr uint32_t kPackedMaskCompression = 255;

// The six bytes in front of the pattern table, at these distances before its start.
inline constexpr uint32_t kPrefixSize = 6;
inline constexpr uint32_t kPrefixMenuColumnLength = 6;
inline constexpr uint32_t kPrefixColumnGate = 4;
inline constexpr uint32_t kPrefixTableChecksum = 2;
// The menu column length counts only when the gate word is above this.
inline constexpr uint16_t kColumnGateThreshold = 4;

// Pattern table.
inline constexpr uint32_t kTblTitle = 0;
inline constexpr uint32_t kTblTitleSize = 32;
inline constexpr uint32_t kTblAbout = 32;
inline constexpr uint32_t kTblAboutSize = 64;
inline constexpr uint32_t kTblPatternCount = 96;
inline constexpr uint32_t kTblDefaultPattern = 98;
inline constexpr uint32_t kTblDefaultPosition = 100;
inline constexpr uint32_t kTblPatternOffsets = 104;
inline constexpr uint32_t kTblFixedSize = 104;
// The table checksum covers 4 * count + 104 bits (the sum taken in 16 bits).
inline uint16_t TableChecksumBits(uint16_t patternCount) {
    return static_cast<uint16_t>(4u * patternCount + 104u);
}

// Pattern: its first instruction is Name, opcode 16, a u16 length, then the name bytes.
inline constexpr uint8_t kNameOpcode = 16;
inline constexpr uint32_t kPatNameLength = 1;
inline constexpr uint32_t kPatNameBytes = 3;
// The menu builds a name in a 256-byte buffer with its terminating zero.
inline constexpr uint16_t kMaxNameLength = 255;
// The menu's command ids leave room for this many patterns.
inline constexpr uint16_t kMaxPatterns = 16;

}  // namespace mascot::layout

namespace mascot {

// Entries of the colour table that follows a DIB header: 2, 16 or 256 for 1, 4 or 8 bits per
// pixel, none for other depths. The colours-used field is never consulted.
constexpr uint32_t ColorTableEntries(uint16_t bitCount) {
    return bitCount == 1 ? 2 : bitCount == 4 ? 16 : bitCount == 8 ? 256 : 0;
}

}  // namespace mascot
