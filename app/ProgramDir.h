// The program directory: where the settings file, content files and archives lie.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mascot {

class Resources;

// The executable's directory with its trailing separator, set once at start-up and read-only
// afterwards; nothing before start-up and after FreeProgramDir.
extern std::optional<std::string> g_programDir;
// Where content files come from: 0 loose files only, 1 archive files beside the program,
// 2 embedded archive; other values act as 0.
extern int g_archiveMode;
// The program's own resources, for the archive's resource lookups.
extern Resources* g_hInstance;

// Cuts an executable path after its last separator. The scan runs from the last byte down to
// the second one: the first byte is never examined, so a path whose only separator is its first
// byte, or that has none, gives the empty directory. Bytes are compared one at a time; a
// double-byte character gets no special treatment, as the platform's own path code does.
std::string ProgramDirFromPath(std::string_view path, std::string_view separators);

}  // namespace mascot
