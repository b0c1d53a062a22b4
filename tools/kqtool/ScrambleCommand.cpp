// kqtool scramble: turns a plain content file into its scrambled form.
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "sound/Content.h"
#include "tools/common/BinaryFile.h"
#include "tools/kqtool/Command.h"

namespace mascot::kqtool {
namespace {

int Run(std::span<const std::string> args);

const Command kScramble{
    "scramble",
    "scramble a content file (a sound wave) as the program can load it",
    "usage: kqtool scramble IN OUT [--seed N]\n"
    "\n"
    "Writes OUT as the byte 1, the seed, then the bytes of IN XORed with the seed's keystream.\n"
    "The program loads OUT as the bytes of IN; 'kqtool unscramble' gives them back.\n"
    "\n"
    "Options:\n"
    "  --seed N    the seed, 0 to 255 (default 0)\n"
    "  -h, --help  show this help\n",
    Run,
};
KQTOOL_COMMAND(scramble, kScramble);

std::optional<uint8_t> ParseSeed(const std::string& text) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value > 0xFF)
        return std::nullopt;
    return static_cast<uint8_t>(value);
}

int Run(std::span<const std::string> args) {
    if (WantsHelp(kScramble, args))
        return kExitOk;
    std::vector<std::string> paths;
    uint8_t seed = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--seed") {
            const auto parsed = i + 1 < args.size() ? ParseSeed(args[++i]) : std::nullopt;
            if (!parsed)
                return UsageError(kScramble, "--seed needs a number from 0 to 255");
            seed = *parsed;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return UsageError(kScramble, "unknown option '" + args[i] + "'");
        } else {
            paths.push_back(args[i]);
        }
    }
    if (paths.size() != 2)
        return UsageError(kScramble, "expected IN and OUT");

    std::string error;
    const auto plain = ReadBinaryFile(paths[0], error);
    if (!plain) {
        std::fprintf(stderr, "kqtool scramble: cannot read '%s': %s\n", paths[0].c_str(), error.c_str());
        return kExitFailure;
    }
    std::vector<uint8_t> out{kScrambledMarker, seed};
    out.insert(out.end(), plain->begin(), plain->end());
    ApplyKeystream(std::span(out).subspan(kScrambledHeaderSize), seed);
    if (!WriteBinaryFile(paths[1], out, error)) {
        std::fprintf(stderr, "kqtool scramble: cannot write '%s': %s\n", paths[1].c_str(), error.c_str());
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace
}  // namespace mascot::kqtool
