// kqtool unscramble: gives back the plain bytes of a scrambled content file.
#include <cstdio>
#include <string>
#include <vector>

#include "sound/Content.h"
#include "tools/common/BinaryFile.h"
#include "tools/kqtool/Command.h"

namespace mascot::kqtool {
namespace {

int Run(std::span<const std::string> args);

const Command kUnscramble{
    "unscramble",
    "give back the plain bytes of a scrambled content file",
    "usage: kqtool unscramble IN OUT\n"
    "\n"
    "IN must be scrambled: the byte 1, a seed byte, then the scrambled bytes. Writes OUT as the\n"
    "bytes the program would load from IN.\n"
    "\n"
    "Options:\n"
    "  -h, --help  show this help\n",
    Run,
};
KQTOOL_COMMAND(unscramble, kUnscramble);

int Run(std::span<const std::string> args) {
    if (WantsHelp(kUnscramble, args))
        return kExitOk;
    for (const std::string& arg : args) {
        if (arg.size() > 1 && arg[0] == '-')
            return UsageError(kUnscramble, "unknown option '" + arg + "'");
    }
    if (args.size() != 2)
        return UsageError(kUnscramble, "expected IN and OUT");

    std::string error;
    auto bytes = ReadBinaryFile(args[0], error);
    if (!bytes) {
        std::fprintf(stderr, "kqtool unscramble: cannot read '%s': %s\n", args[0].c_str(), error.c_str());
        return kExitFailure;
    }
    if (bytes->size() < kScrambledHeaderSize || (*bytes)[0] != kScrambledMarker) {
        std::fprintf(stderr, "kqtool unscramble: '%s' is not scrambled: %s\n", args[0].c_str(),
                     bytes->empty() || (*bytes)[0] != kScrambledMarker ? "its first byte is not 1"
                                                                       : "it has no seed byte");
        return kExitFailure;
    }
    const Content content(std::move(*bytes));
    if (!WriteBinaryFile(args[1], content.Bytes(), error)) {
        std::fprintf(stderr, "kqtool unscramble: cannot write '%s': %s\n", args[1].c_str(), error.c_str());
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace
}  // namespace mascot::kqtool
