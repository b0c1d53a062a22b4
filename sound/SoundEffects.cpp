#include "sound/SoundEffects.h"

#include "platform/Audio.h"
#include "sound/SoundPlayer.h"

namespace mascot {

bool PlaySound(CSoundPlayer* player, uint32_t index) {
    if (!player || index >= kSoundNames.size())
        return false;
    player->Load(kSoundNames[index]);
    return player->Play();
}

bool PlayFile(Audio& audio, const std::string& name) {
    return audio.PlayFileNoStop(name);
}

}  // namespace mascot
