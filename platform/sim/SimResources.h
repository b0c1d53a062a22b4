// The simulated program's embedded blobs, given by the test or the tool that runs it.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/Resources.h"

namespace mascot {

class SimResources final : public Resources {
public:
    // Adds the blob of `type` and `id`. Blobs are fixed once added, so that the bytes Find hands
    // out stay valid for the whole run: adding a type and id a second time is refused (false).
    bool Add(const std::string& type, uint16_t id, std::vector<uint8_t> bytes);

    // Types are matched exactly, case included.
    std::optional<std::span<const uint8_t>> Find(const std::string& type, uint16_t id) override;

private:
    std::map<std::pair<std::string, uint16_t>, std::vector<uint8_t>> m_blobs;
};

}  // namespace mascot
