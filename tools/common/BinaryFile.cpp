#include "tools/common/BinaryFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace mascot {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::optional<std::vector<uint8_t>> ReadBinaryFile(const std::string& path, std::string& error) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    uint8_t chunk[64 * 1024];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    if (std::ferror(file.get())) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    return bytes;
}

bool WriteBinaryFile(const std::string& path, std::span<const uint8_t> bytes, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeErrno = errno;
    if (std::fclose(file) != 0 || !written) {
        error = std::strerror(written ? errno : writeErrno);
        return false;
    }
    return true;
}

}  // namespace mascot
