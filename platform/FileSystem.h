// Files, for settings and content files. Paths are the platform's own byte strings.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mascot {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The whole file, or nothing when it cannot be opened or read.
    virtual std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) = 0;
    // Up to `length` bytes from `offset`. Fewer come back when the file ends first (a short
    // read); nothing when it cannot be opened or positioned.
    virtual std::optional<std::vector<uint8_t>> ReadRange(const std::string& path, uint64_t offset,
                                                          uint32_t length) = 0;
    virtual std::optional<uint64_t> FileSize(const std::string& path) = 0;

    // Read-modify-write of a small text file, safe against other processes doing the same:
    // under an exclusive advisory lock, `edit` gets the current contents (nothing when the
    // file does not exist) and returns the new contents (nothing to leave the file alone); the
    // new contents replace the file atomically, so a reader sees either the old or the new
    // file, never a part. Returns whether the file now holds what `edit` returned.
    using Edit = std::function<std::optional<std::string>(const std::optional<std::string>& current)>;
    virtual bool UpdateFile(const std::string& path, const Edit& edit) = 0;
};

}  // namespace mascot
