#include "sound/SoundEffects.h"

#include "platform/Audio.h"
#include "sound/SoundPlayer.h"

namespace mascot {

void PlaySound(CSoundPlayer* player, uint32_t index) {
    if (!player || index >= kSoundNames.size())
        return;
    player->Load(kSoundNames[index]);
    player->Play();
}

bool PlayFile(Audio& audio, const std::string& name) {
    return audio.PlayFileNoStop(name);
}

}  // namespace mascot
