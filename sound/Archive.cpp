#include "sound/Archive.h"

#include <string>

#include "app/Globals.h"
#include "platform/FileSystem.h"
#include "platform/Resources.h"

namespace mascot {
namespace {

// Little-endian reads that refuse to look past the end of their bytes.
std::optional<uint16_t> ReadU16(std::span<const uint8_t> bytes, size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 2)
        return std::nullopt;
    return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::optional<uint32_t> ReadU32(std::span<const uint8_t> bytes, size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 4)
        return std::nullopt;
    return static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes[offset + 2]) << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

// Positions inside the index are 16-bit and wrap around.
uint16_t Advance(uint16_t position, uint32_t distance) {
    return static_cast<uint16_t>(position + distance);
}

bool NameEquals(const ArchiveEntry& entry, std::string_view name) {
    if (entry.name.size() != name.size())
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        if (entry.name[i] != static_cast<uint8_t>(name[i]))
            return false;
    }
    return true;
}

// The program's loaded index: set at start-up, freed at exit.
struct LoadedIndex {
    std::vector<uint8_t> bytes;
    bool loaded = false;
};

LoadedIndex& Index() {
    static LoadedIndex index;
    return index;
}

}  // namespace

uint8_t ArchiveBucketOf(uint8_t first) {
    return first >= 'A' && first <= 'Z' ? static_cast<uint8_t>(first - 'A' + 'a') : first;
}

std::optional<ArchiveBucket> ArchiveBucketIn(std::span<const uint8_t> index, uint8_t bucket) {
    const auto offset = ReadU16(index, kArchiveHeaderSize + 2 * size_t{bucket});
    if (!offset)
        return std::nullopt;
    const auto count = ReadU16(index, *offset);
    if (!count)
        return std::nullopt;
    return ArchiveBucket{*offset, *count};
}

std::optional<ArchiveEntry> ArchiveEntryIn(std::span<const uint8_t> index, uint16_t position) {
    if (position > index.size() || index.size() - position < kArchiveEntryHeaderSize)
        return std::nullopt;
    ArchiveEntry entry;
    entry.position = position;
    entry.size = *ReadU16(index, position);
    entry.dataOffset = *ReadU32(index, position + 4);
    entry.length = *ReadU32(index, position + 8);
    const uint16_t nameLength = *ReadU16(index, position + 12);
    const size_t nameStart = position + kArchiveEntryHeaderSize;
    if (index.size() - nameStart < nameLength)
        return std::nullopt;
    entry.name = index.subspan(nameStart, nameLength);
    return entry;
}

uint16_t FindArchiveEntryIn(std::span<const uint8_t> index, std::string_view name) {
    name = name.substr(0, name.find('\0'));
    const uint8_t first = name.empty() ? 0 : static_cast<uint8_t>(name.front());
    const auto bucket = ArchiveBucketIn(index, ArchiveBucketOf(first));
    if (!bucket)
        return 0;
    uint16_t position = Advance(bucket->offset, 2);
    for (uint32_t i = 0; i < bucket->count; ++i) {
        const auto entry = ArchiveEntryIn(index, position);
        if (!entry)
            return 0;
        if (NameEquals(*entry, name))
            return position;
        position = Advance(position, entry->size);
    }
    return 0;
}

std::optional<std::span<const uint8_t>> ArchiveDataOf(const ArchiveEntry& entry,
                                                      std::span<const uint8_t> data) {
    if (entry.dataOffset > data.size() || data.size() - entry.dataOffset < entry.length)
        return std::nullopt;
    return data.subspan(entry.dataOffset, entry.length);
}

bool LoadArchiveIndex(int mode, FileSystem& files) {
    FreeArchiveIndex();
    std::optional<std::vector<uint8_t>> bytes;
    if (mode == 1 && g_programDir) {
        bytes = files.ReadFile(*g_programDir + std::string(kArchiveIndexFile));
    } else if (mode == 2 && g_hInstance) {
        if (const auto resource = g_hInstance->Find(std::string(kArchiveResourceType), kArchiveIndexResource))
            bytes.emplace(resource->begin(), resource->end());
    }
    if (!bytes)
        return false;
    Index().bytes = std::move(*bytes);
    Index().loaded = true;
    return true;
}

void FreeArchiveIndex() {
    Index().bytes = {};
    Index().loaded = false;
}

bool IsArchiveIndexLoaded() {
    return Index().loaded;
}

uint16_t FindArchiveEntry(std::string_view name) {
    if (!Index().loaded)
        return 0;
    return FindArchiveEntryIn(Index().bytes, name);
}

std::optional<std::vector<uint8_t>> ReadArchiveContent(int mode, uint16_t position, FileSystem& files) {
    if (!Index().loaded || position == 0)
        return std::nullopt;
    const auto entry = ArchiveEntryIn(Index().bytes, position);
    if (!entry)
        return std::nullopt;
    if (mode == 2) {
        if (!g_hInstance)
            return std::nullopt;
        const auto data = g_hInstance->Find(std::string(kArchiveResourceType), kArchiveDataResource);
        const auto range = data ? ArchiveDataOf(*entry, *data) : std::nullopt;
        if (!range)
            return std::nullopt;
        return std::vector<uint8_t>(range->begin(), range->end());
    }
    if (!g_programDir)
        return std::nullopt;
    // Checking the range against the file's size first keeps a corrupt length from asking for
    // gigabytes; a file that shrinks between the two calls just gives a short read.
    const std::string path = *g_programDir + std::string(kArchiveDataFile);
    const auto size = files.FileSize(path);
    if (!size || entry->dataOffset > *size || *size - entry->dataOffset < entry->length)
        return std::nullopt;
    return files.ReadRange(path, entry->dataOffset, entry->length);
}

}  // namespace mascot
