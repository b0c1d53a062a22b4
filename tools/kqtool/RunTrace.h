// The lines `kqtool run` prints: one JSON object a line, {"t":MS,"ev":NAME,...}, from the mascot
// window's own events and from what the simulated desktop saw happen to the window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/MascotTrace.h"
#include "platform/Menu.h"
#include "platform/sim/SimLog.h"

namespace mascot::kqtool {

// An event of the mascot window at virtual time `t`; its fields in their order, texts as UTF-8.
std::string CoreEventLine(uint64_t t, const MascotEvent& event);

// A desktop event that concerns the mascot window: "move", "show", "hide" and "dialog"; nothing
// for the others (the menu has its own line, it needs the items).
std::optional<std::string> DesktopEventLine(const SimEvent& event);

// The popup menu as it is shown.
std::string MenuLine(uint64_t t, const Menu& menu);

// The name of a dialog template: "settings", "about", or "dialog" for any other.
const char* DialogName(int64_t templateId);

}  // namespace mascot::kqtool
