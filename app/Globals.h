// Program-wide values, each set at start-up and, unless said otherwise, read-only afterwards.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace mascot {

class Resources;
class CSoundPlayer;

// The executable's directory with its trailing separator; nothing before start-up and after
// FreeProgramDir. Read by the settings store, the content loader and the archive.
extern std::optional<std::string> g_programDir;
// Where content files come from: 0 loose files only, 1 archive files beside the program,
// 2 embedded archive; other values act as 0.
extern int g_archiveMode;
// The program's own resources, for the archive's resource lookups.
extern Resources* g_hInstance;
// Sound is off: the sound player plays nothing. Set at start-up when "UseSound" is 0 and by a
// confirmed settings dialog.
extern int32_t g_soundMuted;
// The one sound player, owned by the mascot window (null outside its lifetime).
extern CSoundPlayer* g_pSoundPlayer;

}  // namespace mascot
