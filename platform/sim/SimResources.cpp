#include "platform/sim/SimResources.h"

namespace mascot {

bool SimResources::Add(const std::string& type, uint16_t id, std::vector<uint8_t> bytes) {
    return m_blobs.try_emplace({type, id}, std::move(bytes)).second;
}

std::optional<std::span<const uint8_t>> SimResources::Find(const std::string& type, uint16_t id) {
    const auto found = m_blobs.find({type, id});
    if (found == m_blobs.end())
        return std::nullopt;
    return std::span<const uint8_t>(found->second);
}

}  // namespace mascot
