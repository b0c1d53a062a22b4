// The program directory: where the settings file, content files and archives lie.
#pragma once

#include <string>
#include <string_view>

#include "app/Globals.h"

namespace mascot {

// Cuts an executable path after its last separator. The scan runs from the last byte down to
// the second one: the first byte is never examined, so a path whose only separator is its first
// byte, or that has none, gives the empty directory. Bytes are compared one at a time; a
// double-byte character gets no special treatment, as the platform's own path code does.
std::string ProgramDirFromPath(std::string_view path, std::string_view separators);

}  // namespace mascot
