// The sound player: holds one content file's wave image and plays it from memory through the
// wave output, unless sound is switched off (g_soundMuted).
//
// The output plays asynchronously straight from the held image, so the image is always stopped
// before it is freed or replaced.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "sound/Content.h"

namespace mascot {

class Audio;

class CSoundPlayer {
public:
    CSoundPlayer(Audio& audio, const ContentPorts& content) : m_audio(audio), m_content(content) {}
    CSoundPlayer(const CSoundPlayer&) = delete;
    CSoundPlayer& operator=(const CSoundPlayer&) = delete;
    virtual ~CSoundPlayer();

    // Frees the held image (stopping any sound first) and loads the content file `name` as the
    // new one. The file is read even when sound is off. Returns whether it loaded.
    bool Load(std::string_view name);
    // Stops any sound and hands the held image to the output (or to the alternative output,
    // which plays nothing). Returns false when nothing was ever loaded or sound is off (then
    // nothing is stopped either), when the last load failed, or when the output refuses it.
    bool Play();
    // Stops whatever wave sound this process plays, also one played by name. Returns true.
    bool Stop();
    // Stops any sound, then frees the image and clears the alternative output.
    void Free();

    // Routes Play to an output that plays nothing and reports success.
    void SetAltOutput(bool on) { m_bAltOutput = on ? 1 : 0; }
    void SetLoop(bool on) { m_bLoop = on ? 1 : 0; }
    // Set by the first successful Load; nothing clears it.
    bool IsLoaded() const { return m_bLoaded != 0; }
    // The held image; null after Free or a failed Load.
    const Content* Image() const { return m_pImage.get(); }

private:
    Audio& m_audio;
    ContentPorts m_content;
    int32_t m_bAltOutput = 0;
    int32_t m_bLoop = 0;
    int32_t m_bLoaded = 0;
    std::unique_ptr<Content> m_pImage;
};

}  // namespace mascot
