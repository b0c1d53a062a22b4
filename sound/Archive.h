// The resource archive: content files kept in one indexed archive, either as the files
// "archive.idx" and "archive.dat" beside the program (archive mode 1) or as the embedded
// resources "ARCHIVEX" 137 and 138 (archive mode 2).
//
// The index, little-endian, offsets counted from its start:
//   0    16 bytes   header, not read
//   16   512 bytes  bucket table: 256 16-bit offsets, one per (folded) first byte of a name
//   bucket:         16-bit entry count, then the entries one after another
//   entry: +0 16-bit size (distance to the next entry), +2 unused, +4 32-bit data offset,
//          +8 32-bit length, +12 16-bit name length, +14 unused, +16 the name's bytes
// A name goes into the bucket of its first byte with "A".."Z" folded to "a".."z"; names are
// compared byte for byte, case included. Positions in the index are 16-bit and wrap at 65536.
//
// The index and the data are untrusted: a bucket, an entry, a name or a data range that does not
// lie inside the index or the data is treated as absent and never read.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace mascot {

class FileSystem;

inline constexpr size_t kArchiveHeaderSize = 16;
inline constexpr size_t kArchiveBucketCount = 256;
inline constexpr size_t kArchiveBucketTableSize = kArchiveBucketCount * 2;
inline constexpr size_t kArchiveEntryHeaderSize = 16;
inline constexpr uint16_t kArchiveIndexResource = 137;
inline constexpr uint16_t kArchiveDataResource = 138;
inline constexpr std::string_view kArchiveResourceType = "ARCHIVEX";
inline constexpr std::string_view kArchiveIndexFile = "archive.idx";
inline constexpr std::string_view kArchiveDataFile = "archive.dat";

struct ArchiveBucket {
    uint16_t offset = 0;  // where its count lies
    uint16_t count = 0;
};

struct ArchiveEntry {
    uint16_t position = 0;  // in the index
    uint16_t size = 0;      // distance to the next entry of its bucket
    uint32_t dataOffset = 0;
    uint32_t length = 0;
    std::span<const uint8_t> name;  // inside the index
};

// The bucket a name whose first byte is `first` belongs to.
uint8_t ArchiveBucketOf(uint8_t first);

// The bucket for `bucket`, or nothing when the table or the count lies outside `index`.
std::optional<ArchiveBucket> ArchiveBucketIn(std::span<const uint8_t> index, uint8_t bucket);
// The entry at `position`, or nothing when its fixed part or its name lies outside `index`.
std::optional<ArchiveEntry> ArchiveEntryIn(std::span<const uint8_t> index, uint16_t position);
// The position of the entry named `name` (up to its first zero byte), or 0 when there is none.
// The walk through a bucket stops at the first entry that lies outside the index.
uint16_t FindArchiveEntryIn(std::span<const uint8_t> index, std::string_view name);
// The bytes of `entry` inside `data`, or nothing when its range lies outside.
std::optional<std::span<const uint8_t>> ArchiveDataOf(const ArchiveEntry& entry,
                                                      std::span<const uint8_t> data);

// The program's one loaded index. Loading replaces any index loaded before.
// Mode 1 reads "archive.idx" from g_programDir; mode 2 copies the resource "ARCHIVEX" 137 of
// g_hInstance; other modes load nothing. Returns whether an index is loaded.
bool LoadArchiveIndex(int mode, FileSystem& files);
// Frees the index; harmless when none is loaded.
void FreeArchiveIndex();
bool IsArchiveIndexLoaded();
// The position of `name` in the loaded index, or 0 when it is not there (or no index is loaded).
uint16_t FindArchiveEntry(std::string_view name);
// The content of the loaded index's entry at `position`: from "archive.dat" in g_programDir when
// `mode` is not 2 (the file is opened for this read only), from the resource "ARCHIVEX" 138 of
// g_hInstance when it is 2. Nothing when the entry or its data range is absent; a file that
// comes back shorter than the range gives the bytes read.
std::optional<std::vector<uint8_t>> ReadArchiveContent(int mode, uint16_t position, FileSystem& files);

}  // namespace mascot
