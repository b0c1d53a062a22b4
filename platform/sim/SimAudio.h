// The simulated wave output: plays nothing audible, records every request in order and keeps
// track of whether a sound is still playing in virtual time.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Audio.h"

namespace mascot {

class FileSystem;
class SimClock;

class SimAudio final : public Audio {
public:
    enum class EventKind { PlayMemory, PlayFile, Stop };

    struct Event {
        EventKind kind = EventKind::Stop;
        std::vector<uint8_t> image;  // PlayMemory: a copy of the bytes handed over
        std::string name;            // PlayFile: the name as given
        bool loop = false;           // PlayMemory: asked to loop
        bool accepted = false;       // the sound started (a Stop is always accepted)
        uint64_t at = 0;             // virtual time of the request, in ms
    };

    // `files` resolves the names of PlayFileNoStop, as the platform would (a relative name
    // against the current directory).
    SimAudio(SimClock& clock, FileSystem& files) : m_clock(clock), m_files(files) {}

    bool PlayMemory(std::span<const uint8_t> image, bool loop) override;
    bool PlayFileNoStop(const std::string& name) override;
    void Stop() override;

    const std::vector<Event>& Events() const { return m_events; }
    void ClearEvents() { m_events.clear(); }
    // The accepted plays, in order.
    std::vector<Event> Plays() const;

    // A sound plays from its start until it is stopped, replaced, or its duration has passed in
    // virtual time; a looping sound plays until stopped or replaced.
    bool IsPlaying() const;
    // The sound playing now, or null.
    const Event* Playing() const;

    // Every sound started from now on lasts `ms`, whatever its header says; nothing returns to
    // the duration the header gives.
    void SetDuration(std::optional<uint32_t> ms) { m_duration = ms; }

    // The playing time of a RIFF WAVE image: its "data" chunk size (cut to the bytes present)
    // divided by the byte rate of its "fmt " chunk, rounded up to whole milliseconds. Nothing
    // when the image is not a wave the output could play.
    static std::optional<uint64_t> WaveDurationMs(std::span<const uint8_t> image);

private:
    bool Start(Event event, std::span<const uint8_t> image);

    SimClock& m_clock;
    FileSystem& m_files;
    std::vector<Event> m_events;
    std::optional<uint32_t> m_duration;
    bool m_playing = false;
    Event m_current;                   // the last sound started
    std::optional<uint64_t> m_endsAt;  // nothing: loops until stopped
};

}  // namespace mascot
