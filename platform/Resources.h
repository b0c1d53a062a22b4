#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace mascot {

// The program's embedded blobs.
class Resources {
public:
    virtual ~Resources() = default;
    // The resource of `type` and numeric `id`, readable for the whole run; nothing when absent.
    virtual std::optional<std::span<const uint8_t>> Find(const std::string& type, uint16_t id) = 0;
};

}  // namespace mascot
