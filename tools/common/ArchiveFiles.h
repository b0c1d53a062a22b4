// Making and inspecting resource archives (an index and its data) for the tools.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sound/Archive.h"

namespace mascot {

struct ArchiveSource {
    std::string name;  // the bytes the program looks the content up by
    std::vector<uint8_t> bytes;
};

struct BuiltArchive {
    std::vector<uint8_t> index;
    std::vector<uint8_t> data;
};

// Lays out an archive of `sources`: the data is their contents one after another in name order;
// the index has a zero header, the bucket table, one shared empty bucket for every unused first
// byte, then each used bucket with its entries in name order. Fields nothing reads are zero.
// Nothing, with `error` saying which source and why, when the format cannot hold them: a
// duplicate name, a name with a zero byte, a name too long for an entry, an entry or bucket that
// would start past the first 64 KiB of the index, or data past the 32-bit offsets and lengths.
std::optional<BuiltArchive> BuildArchive(std::vector<ArchiveSource> sources, std::string& error);

struct ArchiveListing {
    std::vector<ArchiveEntry> entries;  // in bucket order; names point into the index
    std::vector<std::string> problems;  // what is broken or cannot be found, with offsets
};

// Every entry reachable from the bucket table (a bucket that several table slots share is
// walked once), with a problem for each bucket or entry outside the index and for each entry
// that a lookup of its own name would not find.
ArchiveListing ListArchive(std::span<const uint8_t> index);

}  // namespace mascot
