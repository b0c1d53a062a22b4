#include "app/Globals.h"

namespace mascot {

std::optional<std::string> g_programDir;
int g_archiveMode = 0;
Resources* g_hInstance = nullptr;
int32_t g_soundMuted = 0;
CSoundPlayer* g_pSoundPlayer = nullptr;

}  // namespace mascot
