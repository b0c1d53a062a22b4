// kqtool build: packs a character's sources (a manifest, pictures and pattern files) into a
// mascot container.
#include <cstdio>
#include <optional>
#include <string>

#include "data/ContainerCheck.h"
#include "data/MascotData.h"
#include "script/ContainerCodeCheck.h"
#include "tools/common/BinaryFile.h"
#include "tools/common/CharacterBuilder.h"
#include "tools/common/CharacterManifest.h"
#include "tools/kqtool/Command.h"

namespace mascot::kqtool {
namespace {

int RunBuild(std::span<const std::string> args);

const Command kBuild{
    "build",
    "pack a character (manifest, pictures, .kqs patterns) into a container",
    "usage: kqtool build [--strict] [-o OUTPUT] MANIFEST\n"
    "\n"
    "Packs the character that MANIFEST describes into a mascot container, laid out as the\n"
    "character builds' data is, with its total length and both checksums. OUTPUT defaults to\n"
    "MANIFEST with the extension .kq. The container is then checked as 'kqtool check' does; its\n"
    "findings are printed as warnings, and with --strict they fail the build (nothing is written).\n"
    "\n"
    "The manifest is text, one KEY = VALUE a line; a line starting with # is a comment:\n"
    "\n"
    "  title    = デモ                  UTF-8, stored as Shift-JIS, at most 31 bytes\n"
    "  about    = 小さな\\nデモ          the About text, at most 63 bytes; \\n is a line feed,\n"
    "                                   \\t a tab, \\\\ a backslash (title too)\n"
    "  version  = 302                   0 to 303 (default 302); from 301 on names and strings\n"
    "                                   are scrambled\n"
    "  frame    = 112 x 160             frame width x height (required)\n"
    "  defaults = 1 90                  default pattern (0 = random) and position in percent\n"
    "                                   (default 1 90)\n"
    "  menu     = 0 0                   patterns per menu column, and the column gate, which must\n"
    "                                   be above 4 for the length to count (default 0 0)\n"
    "  image    = FILE X Y KIND         a frame image, numbered from 0 in the order of the lines;\n"
    "                                   X Y place its left and top edge in the frame\n"
    "  pattern  = FILE.kqs              a pattern in the text form of 'kqtool asm', numbered from 1\n"
    "                                   in the order of the lines (at most 16)\n"
    "\n"
    "Image files are PNG, or BMP with the 40-byte header (uncompressed 1 to 32 bits). KIND is:\n"
    "  colour8       an 8-bit picture; all colour8 images share one colour table of at most 256\n"
    "                colours (the palette is built from image 0, which should be one of them)\n"
    "  colour24      a 24-bit picture\n"
    "  mask          a 1-bit shape mask\n"
    "  packed-mask   a 1-bit shape mask with its rows packed\n"
    "A mask pixel lies inside the shape where the picture is opaque (alpha 128 or more) when it\n"
    "has any transparent pixel, and where it is dark (grey below 128) when it has none.\n"
    "File names are relative to the manifest's directory and have no blanks.\n"
    "\n"
    "Exit status: 0 when the container was written; 1 for errors in the sources, each named with\n"
    "its file (and line), or with --strict for findings; 2 when the manifest cannot be read or\n"
    "the container cannot be written.\n",
    RunBuild,
};
KQTOOL_COMMAND(build, kBuild);

struct Arguments {
    bool strict = false;
    std::string manifest;
    std::string output;
};

std::optional<Arguments> Parse(std::span<const std::string> args, std::string& error) {
    Arguments parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--strict") {
            parsed.strict = true;
        } else if (args[i] == "-o") {
            if (i + 1 >= args.size()) {
                error = "-o needs a value";
                return std::nullopt;
            }
            parsed.output = args[++i];
        } else if (parsed.manifest.empty() && !args[i].starts_with("-")) {
            parsed.manifest = args[i];
        } else {
            error = "unexpected argument '" + args[i] + "'";
            return std::nullopt;
        }
    }
    if (parsed.manifest.empty()) {
        error = "no manifest";
        return std::nullopt;
    }
    const size_t slash = parsed.manifest.find_last_of('/');
    if (parsed.output.empty()) {
        const size_t dot = parsed.manifest.find_last_of('.');
        const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
        parsed.output = parsed.manifest.substr(0, hasExtension ? dot : std::string::npos) + ".kq";
    }
    return parsed;
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Prints the container's findings as warnings; returns how many there were.
size_t Warn(const std::string& output, const BuiltContainer& container) {
    const MascotData data(container.Span());
    Findings findings;
    CheckContainerStructure(data, findings);
    CheckContainerCode(data, findings);
    for (const Finding& finding : findings)
        std::fprintf(stderr, "%s: warning: %s\n", output.c_str(), finding.ToString().c_str());
    return findings.size();
}

int RunBuild(std::span<const std::string> args) {
    if (WantsHelp(kBuild, args))
        return kExitOk;
    std::string error;
    const std::optional<Arguments> parsed = Parse(args, error);
    if (!parsed)
        return UsageError(kBuild, error);
    const auto text = ReadBinaryFile(parsed->manifest, error);
    if (!text) {
        std::fprintf(stderr, "kqtool build: %s: %s\n", parsed->manifest.c_str(), error.c_str());
        return kExitFailure;
    }
    std::vector<ManifestError> manifestErrors;
    const CharacterManifest manifest =
        ParseManifest(std::string(text->begin(), text->end()), parsed->manifest, manifestErrors);
    for (const ManifestError& manifestError : manifestErrors)
        std::fprintf(stderr, "%s\n", manifestError.ToString().c_str());
    if (!manifestErrors.empty())
        return kExitFindings;
    std::vector<std::string> errors;
    const std::optional<BuiltContainer> container =
        BuildCharacter(manifest, DirectoryOf(parsed->manifest), errors);
    for (const std::string& buildError : errors)
        std::fprintf(stderr, "%s\n", buildError.c_str());
    if (!container)
        return kExitFindings;
    if (Warn(parsed->output, *container) > 0 && parsed->strict)
        return kExitFindings;
    if (!WriteBinaryFile(parsed->output, container->bytes, error)) {
        std::fprintf(stderr, "kqtool build: %s: %s\n", parsed->output.c_str(), error.c_str());
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace
}  // namespace mascot::kqtool
