// Whole-file reads and writes for the tools, with the reason when they fail.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mascot {

// The file's bytes, or nothing with `error` set to why it could not be read.
std::optional<std::vector<uint8_t>> ReadBinaryFile(const std::string& path, std::string& error);
// Replaces the file with `bytes`; false with `error` set when that failed.
bool WriteBinaryFile(const std::string& path, std::span<const uint8_t> bytes, std::string& error);

}  // namespace mascot
