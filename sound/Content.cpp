#include "sound/Content.h"

#include <algorithm>
#include <optional>
#include <string>

#include "app/Globals.h"
#include "app/Random.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "sound/Archive.h"

namespace mascot {
namespace {

// The bytes of `name` from wherever the archive mode says, as read; nothing when not found.
std::optional<std::vector<uint8_t>> ReadContentBytes(const ContentPorts& ports, std::string_view name) {
    if (g_archiveMode == 2) {
        const uint16_t position = FindArchiveEntry(name);
        if (position == 0)
            return std::nullopt;
        return ReadArchiveContent(2, position, ports.files);
    }
    if (!g_programDir)
        return std::nullopt;
    if (auto bytes = ports.files.ReadFile(*g_programDir + std::string(name)))
        return bytes;
    if (!IsArchiveIndexLoaded())
        return std::nullopt;
    const uint16_t position = FindArchiveEntry(name);
    if (position == 0)
        return std::nullopt;
    return ReadArchiveContent(g_archiveMode, position, ports.files);
}

}  // namespace

void ApplyKeystream(std::span<uint8_t> bytes, uint8_t seed) {
    uint32_t state = seed;
    for (uint8_t& byte : bytes) {
        state = state * 214013u + 2531011u;
        byte ^= static_cast<uint8_t>(state >> 16);
    }
}

Content::Content(std::vector<uint8_t> buffer) : m_buffer(std::move(buffer)) {
    if (m_buffer.empty() || m_buffer[0] != kScrambledMarker)
        return;
    m_bScrambled = 1;
    // A file of the marker alone has no seed and nothing to descramble.
    if (m_buffer.size() > kScrambledHeaderSize)
        ApplyKeystream(std::span(m_buffer).subspan(kScrambledHeaderSize), m_buffer[1]);
}

std::span<const uint8_t> Content::Bytes() const {
    if (!m_bScrambled)
        return m_buffer;
    return std::span(m_buffer).subspan(std::min(m_buffer.size(), kScrambledHeaderSize));
}

std::unique_ptr<Content> LoadContent(const ContentPorts& ports, std::string_view name) {
    auto bytes = ReadContentBytes(ports, name);
    if (!bytes || bytes->empty())
        return nullptr;
    auto content = std::make_unique<Content>(std::move(*bytes));
    if (content->Scrambled())
        Srand(ports.clock.TickCount());
    return content;
}

}  // namespace mascot
