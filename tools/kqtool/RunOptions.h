// The command line of `kqtool run`: what to run, on which simulated desktop, and what the
// simulated user does when.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace mascot::kqtool {

// How the settings dialog is answered: the edit typed into, a tracking mode picked, the
// front check box set, then OK or Cancel.
struct SettingsAnswer {
    uint64_t at = 0;
    std::optional<std::string> position;  // typed into the edit as it is
    std::optional<int> fixed;             // 0 to 2: the radio button picked
    std::optional<int> topMost;           // 0 or 1: the check box ends so
    bool ok = true;
};

struct RunOptions {
    std::string file;
    uint64_t durationMs = 10'000;
    uint32_t seed = 1;
    std::optional<Rect> foreground = Rect{200, 300, 900, 800};
    Rect taskbar{0, 760, 1280, 800};
    std::string tag = "TEST";
    // Settings written into the settings file before start, as if the user had them there.
    std::optional<int32_t> fixed;
    std::optional<int32_t> position;
    std::optional<int32_t> pattern;
    std::vector<uint64_t> clicks;
    struct CommandAt {
        uint64_t at = 0;
        uint32_t id = 0;
    };
    std::vector<CommandAt> commands;
    struct DragAt {
        uint64_t at = 0;
        int32_t dx = 0;
    };
    std::vector<DragAt> drags;
    std::vector<SettingsAnswer> settings;
    std::optional<std::string> framesDir;
    std::optional<std::string> dir;
};

// Parses the arguments after "run"; nothing, with the reason in `error`, when they are wrong.
std::optional<RunOptions> ParseRunOptions(std::span<const std::string> args, std::string& error);

}  // namespace mascot::kqtool
