// The two sound effects scripts ask for: a numbered content wave through the sound player, and
// a wave file (or a sound the platform knows by name) played by name.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace mascot {

class Audio;
class CSoundPlayer;

// The content waves that PlaySound numbers.
inline constexpr std::array<std::string_view, 5> kSoundNames = {
    "sa0014_.wav", "sa0015_.wav", "sa0016_.wav", "sa0017_.wav", "sa0018_.wav",
};

// Loads the wave numbered `index` into `player` and plays it: the file is read even when sound
// is off, and heard only when it is on. An index past the table, or no player, does nothing at
// all (no load, no stop). Returns whether the wave went to the output, that is, is heard.
bool PlaySound(CSoundPlayer* player, uint32_t index);

// Plays the wave file `name`, passed unchanged (a relative name is resolved by the platform, not
// against the program directory), unless a sound of this process is still playing. Plays even
// when sound is off. Returns whether the output took it.
bool PlayFile(Audio& audio, const std::string& name);

}  // namespace mascot
