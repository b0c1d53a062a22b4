// Wave output.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace mascot {

class Audio {
public:
    virtual ~Audio() = default;

    // Starts playing a RIFF WAVE image from memory asynchronously, stopping whatever this
    // process plays; loops it when asked. The bytes must stay valid until Stop() or the next
    // play. Never plays a default sound: returns false when the image cannot be played.
    virtual bool PlayMemory(std::span<const uint8_t> image, bool loop) = 0;
    // Plays the named wave file asynchronously, unless a sound of this process is still playing
    // (then nothing happens and false is returned). A relative name is resolved by the platform.
    // Never plays a default sound.
    virtual bool PlayFileNoStop(const std::string& name) = 0;
    // Stops at once whatever this process plays.
    virtual void Stop() = 0;
};

}  // namespace mascot
