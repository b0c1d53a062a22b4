#include "tools/common/ArchiveFiles.h"

#include <algorithm>
#include <array>
#include <set>
#include <string_view>

namespace mascot {
namespace {

constexpr size_t kMaxPosition = 0xFFFF;  // positions in the index are 16-bit
constexpr size_t kMaxNameLength = 0xFFFF - kArchiveEntryHeaderSize;
constexpr uint64_t kMax32 = 0xFFFFFFFF;

void PutU16(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void AppendU16(std::vector<uint8_t>& out, uint32_t value) {
    out.resize(out.size() + 2);
    PutU16(out, out.size() - 2, value);
}

void AppendU32(std::vector<uint8_t>& out, uint64_t value) {
    AppendU16(out, static_cast<uint32_t>(value & 0xFFFF));
    AppendU16(out, static_cast<uint32_t>(value >> 16));
}

uint8_t BucketOfName(std::string_view name) {
    return ArchiveBucketOf(name.empty() ? 0 : static_cast<uint8_t>(name.front()));
}

std::string Quoted(std::string_view name) {
    return "'" + std::string(name) + "'";
}

// The reasons a single source cannot go into an archive, or empty.
std::string CheckSource(const ArchiveSource& source) {
    if (source.name.find('\0') != std::string::npos)
        return Quoted(source.name) + ": the name holds a zero byte, so no lookup could find it";
    if (source.name.size() > kMaxNameLength)
        return Quoted(source.name) + ": the name has " + std::to_string(source.name.size()) +
               " bytes; an entry holds at most " + std::to_string(kMaxNameLength);
    if (source.bytes.size() > kMax32)
        return Quoted(source.name) + ": " + std::to_string(source.bytes.size()) +
               " bytes is more than an entry's 32-bit length holds";
    return {};
}

struct Placed {
    const ArchiveSource* source = nullptr;
    uint64_t dataOffset = 0;
};

bool AppendEntry(std::vector<uint8_t>& index, const Placed& placed, std::string& error) {
    if (index.size() > kMaxPosition) {
        error = Quoted(placed.source->name) + ": its entry would start at index offset " +
                std::to_string(index.size()) + ", past the 64 KiB that 16-bit offsets reach";
        return false;
    }
    const std::string& name = placed.source->name;
    AppendU16(index, static_cast<uint32_t>(kArchiveEntryHeaderSize + name.size()));
    AppendU16(index, 0);
    AppendU32(index, placed.dataOffset);
    AppendU32(index, placed.source->bytes.size());
    AppendU16(index, static_cast<uint32_t>(name.size()));
    AppendU16(index, 0);
    index.insert(index.end(), name.begin(), name.end());
    return true;
}

}  // namespace

std::optional<BuiltArchive> BuildArchive(std::vector<ArchiveSource> sources, std::string& error) {
    std::sort(sources.begin(), sources.end(),
              [](const ArchiveSource& a, const ArchiveSource& b) { return a.name < b.name; });
    BuiltArchive archive;
    std::array<std::vector<Placed>, kArchiveBucketCount> buckets;
    for (size_t i = 0; i < sources.size(); ++i) {
        const ArchiveSource& source = sources[i];
        error = CheckSource(source);
        if (i > 0 && sources[i - 1].name == source.name)
            error = Quoted(source.name) + ": the name appears twice";
        if (archive.data.size() > kMax32)
            error = Quoted(source.name) + ": its data would start at offset " +
                    std::to_string(archive.data.size()) + ", past what a 32-bit offset holds";
        if (!error.empty())
            return std::nullopt;
        buckets[BucketOfName(source.name)].push_back({&source, archive.data.size()});
        archive.data.insert(archive.data.end(), source.bytes.begin(), source.bytes.end());
    }

    std::vector<uint8_t>& index = archive.index;
    index.assign(kArchiveHeaderSize + kArchiveBucketTableSize, 0);
    const size_t emptyBucket = index.size();
    AppendU16(index, 0);
    for (size_t b = 0; b < kArchiveBucketCount; ++b) {
        const size_t tableSlot = kArchiveHeaderSize + 2 * b;
        if (buckets[b].empty()) {
            PutU16(index, tableSlot, static_cast<uint32_t>(emptyBucket));
            continue;
        }
        // Checking that every entry starts within reach also covers the bucket before it, and
        // keeps the count below 65536, since each entry takes at least 16 bytes.
        PutU16(index, tableSlot, static_cast<uint32_t>(index.size()));
        AppendU16(index, static_cast<uint32_t>(buckets[b].size()));
        for (const Placed& placed : buckets[b]) {
            if (!AppendEntry(index, placed, error))
                return std::nullopt;
        }
    }
    return archive;
}

ArchiveListing ListArchive(std::span<const uint8_t> index) {
    ArchiveListing listing;
    std::set<uint16_t> walked;
    for (size_t b = 0; b < kArchiveBucketCount; ++b) {
        const std::string where = "bucket " + std::to_string(b);
        const auto bucket = ArchiveBucketIn(index, static_cast<uint8_t>(b));
        if (!bucket) {
            listing.problems.push_back(where + ": its table slot or entry count lies outside the index of " +
                                       std::to_string(index.size()) + " bytes");
            continue;
        }
        if (!walked.insert(bucket->offset).second)
            continue;
        uint16_t position = static_cast<uint16_t>(bucket->offset + 2);
        for (uint32_t i = 0; i < bucket->count; ++i) {
            const auto entry = ArchiveEntryIn(index, position);
            if (!entry) {
                listing.problems.push_back(where + ": entry " + std::to_string(i) + " at offset " +
                                           std::to_string(position) + " lies outside the index");
                break;
            }
            const std::string_view name(reinterpret_cast<const char*>(entry->name.data()),
                                        entry->name.size());
            if (FindArchiveEntryIn(index, name) != position)
                listing.problems.push_back("entry " + Quoted(name) + " at offset " +
                                           std::to_string(position) + " cannot be found by its name");
            listing.entries.push_back(*entry);
            position = static_cast<uint16_t>(position + entry->size);
        }
    }
    return listing;
}

}  // namespace mascot
