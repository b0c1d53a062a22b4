// The simulated wave output.
//
//  [X] PlayMemory: any RIFF WAVE image with a "fmt " and a "data" chunk plays; anything else is
//      refused (never a default sound). A play stops the sound before it, even when refused.
//  [X] PlayFileNoStop: refused while a sound plays; otherwise the file is read through the
//      FileSystem and played like an image. Sounds the platform knows by name do not exist here.
//  [X] Stop: at once.
//  [~] Playing time: from the header (data size / byte rate) or a fixed duration the test sets;
//      the samples themselves are never looked at.
#include "platform/sim/SimAudio.h"

#include <string_view>

#include "platform/FileSystem.h"
#include "platform/sim/SimClock.h"

namespace mascot {
namespace {

std::optional<uint32_t> ReadU32(std::span<const uint8_t> bytes, size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 4)
        return std::nullopt;
    return static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes[offset + 2]) << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

bool TagAt(std::span<const uint8_t> bytes, size_t offset, std::string_view tag) {
    if (offset > bytes.size() || bytes.size() - offset < tag.size())
        return false;
    for (size_t i = 0; i < tag.size(); ++i) {
        if (bytes[offset + i] != static_cast<uint8_t>(tag[i]))
            return false;
    }
    return true;
}

}  // namespace

std::optional<uint64_t> SimAudio::WaveDurationMs(std::span<const uint8_t> image) {
    if (!TagAt(image, 0, "RIFF") || !TagAt(image, 8, "WAVE"))
        return std::nullopt;
    std::optional<uint32_t> byteRate;
    std::optional<uint64_t> dataSize;
    size_t chunk = 12;
    while (const auto size = ReadU32(image, chunk + 4)) {
        const size_t body = chunk + 8;
        const uint64_t present = body <= image.size() ? image.size() - body : 0;
        if (TagAt(image, chunk, "fmt ") && *size >= 16 && !byteRate)
            byteRate = ReadU32(image, body + 8);
        else if (TagAt(image, chunk, "data") && !dataSize)
            dataSize = *size < present ? *size : present;
        if (*size >= present)
            break;
        chunk = body + *size + (*size & 1);  // chunks are padded to an even size
    }
    if (!byteRate || *byteRate == 0 || !dataSize)
        return std::nullopt;
    return (*dataSize * 1000 + *byteRate - 1) / *byteRate;
}

bool SimAudio::Start(Event event, std::span<const uint8_t> image) {
    const auto length = WaveDurationMs(image);
    event.accepted = length.has_value();
    event.at = m_clock.Elapsed();
    m_events.push_back(std::move(event));
    if (!length)
        return false;
    m_current = m_events.back();
    m_playing = true;
    if (m_current.loop)
        m_endsAt.reset();
    else
        m_endsAt = m_current.at + (m_duration ? *m_duration : *length);
    return true;
}

bool SimAudio::PlayMemory(std::span<const uint8_t> image, bool loop) {
    m_playing = false;
    Event event;
    event.kind = EventKind::PlayMemory;
    event.image.assign(image.begin(), image.end());
    event.loop = loop;
    return Start(std::move(event), image);
}

bool SimAudio::PlayFileNoStop(const std::string& name) {
    Event event;
    event.kind = EventKind::PlayFile;
    event.name = name;
    if (IsPlaying()) {
        event.at = m_clock.Elapsed();
        m_events.push_back(std::move(event));
        return false;
    }
    const auto bytes = m_files.ReadFile(name);
    return Start(std::move(event), bytes ? std::span<const uint8_t>(*bytes) : std::span<const uint8_t>());
}

void SimAudio::Stop() {
    m_playing = false;
    Event event;
    event.kind = EventKind::Stop;
    event.accepted = true;
    event.at = m_clock.Elapsed();
    m_events.push_back(std::move(event));
}

std::vector<SimAudio::Event> SimAudio::Plays() const {
    std::vector<Event> plays;
    for (const Event& event : m_events) {
        if (event.kind != EventKind::Stop && event.accepted)
            plays.push_back(event);
    }
    return plays;
}

bool SimAudio::IsPlaying() const {
    return m_playing && (!m_endsAt || m_clock.Elapsed() < *m_endsAt);
}

const SimAudio::Event* SimAudio::Playing() const {
    return IsPlaying() ? &m_current : nullptr;
}

}  // namespace mascot
