// kqtool: makes and inspects mascot characters.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/kqtool/Command.h"

namespace mascot::kqtool {
namespace {

std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}

void PrintOverview(std::FILE* out) {
    std::fprintf(out, "usage: kqtool COMMAND [ARGS...]\n\nCommands:\n");
    auto commands = Commands();
    std::sort(commands.begin(), commands.end(),
              [](const Command& a, const Command& b) { return std::string_view(a.name) < b.name; });
    for (const Command& command : commands)
        std::fprintf(out, "  %-12s %s\n", command.name, command.summary);
    std::fprintf(out, "\nRun 'kqtool COMMAND --help' for a command's options.\n");
}

}  // namespace

void RegisterCommand(const Command& command) { Commands().push_back(command); }

bool WantsHelp(const Command& command, std::span<const std::string> args) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::fputs(command.usage, stdout);
            return true;
        }
    }
    return false;
}

int UsageError(const Command& command, std::string_view message) {
    std::fprintf(stderr, "kqtool %s: %.*s\n", command.name, static_cast<int>(message.size()), message.data());
    std::fprintf(stderr, "Run 'kqtool %s --help' for usage.\n", command.name);
    return kExitUsage;
}

}  // namespace mascot::kqtool

int main(int argc, char** argv) {
    using namespace mascot::kqtool;
    if (argc < 2) {
        PrintOverview(stderr);
        return kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintOverview(stdout);
        return kExitOk;
    }
    for (const Command& command : Commands()) {
        if (name == command.name) {
            const std::vector<std::string> args(argv + 2, argv + argc);
            return command.run(args);
        }
    }
    std::fprintf(stderr, "kqtool: unknown command '%s'\n", name.c_str());
    PrintOverview(stderr);
    return kExitUsage;
}
