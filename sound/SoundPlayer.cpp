#include "sound/SoundPlayer.h"

#include "app/Globals.h"
#include "platform/Audio.h"

namespace mascot {

CSoundPlayer::~CSoundPlayer() {
    Free();
}

bool CSoundPlayer::Load(std::string_view name) {
    Free();
    m_pImage = LoadContent(m_content, name);
    if (!m_pImage)
        return false;
    m_bLoaded = 1;
    return true;
}

bool CSoundPlayer::Play() {
    if (!m_bLoaded || g_soundMuted)
        return false;
    Stop();
    if (m_bAltOutput)
        return true;
    // After a failed load there is nothing to hand over: the stop above is all that happens.
    if (!m_pImage)
        return false;
    return m_audio.PlayMemory(m_pImage->Bytes(), m_bLoop != 0);
}

bool CSoundPlayer::Stop() {
    m_audio.Stop();
    return true;
}

void CSoundPlayer::Free() {
    Stop();
    m_pImage.reset();
    m_bAltOutput = 0;
}

}  // namespace mascot
