// The popup menu of a right click, as a model: the settings command, the pattern submenu, About,
// a separator and Exit.
#pragma once

#include <cstdint>

#include "platform/Menu.h"

namespace mascot {

class MascotData;

// The column break item of a pattern menu with several columns; disabled.
inline constexpr uint32_t kColumnBreakId = 1;
// Pattern items run from 32781 to 32796: a menu shows at most this many patterns, because the
// ids above belong to other commands.
inline constexpr uint16_t kMaxMenuPatterns = 16;

// The submenu: the random choice, a separator (one column) or column breaks every `columns`
// patterns, the pattern names, and the check mark on 32780 + patternChoice.
MenuItem BuildPatternSubmenu(const MascotData& data, int32_t patternChoice);
Menu BuildContextMenu(const MascotData& data, int32_t patternChoice);

}  // namespace mascot
