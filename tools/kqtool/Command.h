// kqtool's sub-commands. Each lives in its own file and registers itself with KQTOOL_COMMAND.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace mascot::kqtool {

// Exit codes every command keeps to.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFindings = 1;  // the command ran and found problems
inline constexpr int kExitUsage = 64;    // bad command line
inline constexpr int kExitFailure = 2;   // could not do what was asked (unreadable file, ...)

struct Command {
    const char* name;
    const char* summary;  // one line for the list of commands
    const char* usage;    // the text of `kqtool NAME --help`
    int (*run)(std::span<const std::string> args);
};

void RegisterCommand(const Command& command);

// True when args ask for help; prints the usage to stdout.
bool WantsHelp(const Command& command, std::span<const std::string> args);
// Prints "kqtool NAME: message" to stderr and returns kExitUsage.
int UsageError(const Command& command, std::string_view message);

struct CommandRegistrar {
    explicit CommandRegistrar(const Command& command) { RegisterCommand(command); }
};

}  // namespace mascot::kqtool

#define KQTOOL_COMMAND(ident, ...) \
    static const ::mascot::kqtool::CommandRegistrar kqtoolRegistrar_##ident{::mascot::kqtool::Command{__VA_ARGS__}}
