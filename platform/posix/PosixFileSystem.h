// File access on POSIX systems, shared by the simulated and the Linux desktop.
#pragma once

#include "platform/FileSystem.h"

namespace mascot {

class PosixFileSystem final : public FileSystem {
public:
    std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) override;
    std::optional<std::vector<uint8_t>> ReadRange(const std::string& path, uint64_t offset, uint32_t length) override;
    std::optional<uint64_t> FileSize(const std::string& path) override;
    bool UpdateFile(const std::string& path, const Edit& edit) override;
};

}  // namespace mascot
