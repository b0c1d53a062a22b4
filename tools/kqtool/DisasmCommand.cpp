// kqtool disasm: turns byte code into its text form: one pattern's raw bytes, or the patterns of
// a whole container.
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

#include "data/MascotData.h"
#include "platform/posix/PosixFileSystem.h"
#include "script/Assembler.h"
#include "script/ContainerCodeCheck.h"
#include "script/Disassembler.h"
#include "tools/common/Sjis.h"
#include "tools/kqtool/Command.h"

namespace mascot::kqtool {
namespace {

int RunDisasm(std::span<const std::string> args);

const Command kDisasm{
    "disasm",
    "write byte code as text (.kqs): one pattern, or a container's patterns",
    "usage: kqtool disasm [--version N] [-o OUTPUT] INPUT\n"
    "       kqtool disasm [--pattern N] [-o OUTPUT] FILE.kq\n"
    "\n"
    "Disassembles one pattern's raw byte code, read as container version N (default 302)\n"
    "stores strings. The text goes to OUTPUT or to standard output; 'kqtool asm' turns it into\n"
    "the same bytes again. Strings are shown in UTF-8 where their bytes are Shift-JIS text.\n"
    "\n"
    "An INPUT that starts with \"KQ\" is a container (a pattern starts with Name, never with\n"
    "\"KQ\"): every pattern is disassembled, or pattern N alone (0-based, as 'kqtool dump' and\n"
    "'kqtool check' count), with the container's own version. Each pattern gets a header comment\n"
    "with its number, its offset in the container and its name. A pattern's bytes end where the\n"
    "next block of the container begins.\n"
    "\n"
    "  --version N   container version for raw byte code (below 301 strings are stored plain)\n"
    "  --pattern N   only pattern N of a container\n"
    "  -o OUTPUT     where to write the text\n",
    RunDisasm,
};
KQTOOL_COMMAND(disasm, kDisasm);

struct Arguments {
    std::optional<uint16_t> version;
    std::optional<uint16_t> pattern;
    std::string input;
    std::string output;
};

std::optional<uint16_t> Number(const std::string& value) {
    if (value.empty() || value.size() > 5 || value.find_first_not_of("0123456789") != std::string::npos ||
        std::stoul(value) > 0xFFFF)
        return std::nullopt;
    return static_cast<uint16_t>(std::stoul(value));
}

std::optional<Arguments> Parse(std::span<const std::string> args, std::string& error) {
    Arguments parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--version" || arg == "--pattern" || arg == "-o";
        if (takesValue && i + 1 >= args.size()) {
            error = arg + " needs a value";
            return std::nullopt;
        }
        if (arg == "--version" || arg == "--pattern") {
            const auto number = Number(args[++i]);
            if (!number) {
                error = arg + " takes a number from 0 to 65535";
                return std::nullopt;
            }
            (arg == "--version" ? parsed.version : parsed.pattern) = number;
        } else if (arg == "-o") {
            parsed.output = args[++i];
        } else if (parsed.input.empty() && !arg.starts_with("-")) {
            parsed.input = arg;
        } else {
            error = "unexpected argument '" + arg + "'";
            return std::nullopt;
        }
    }
    if (parsed.input.empty())
        error = "no input file";
    return parsed.input.empty() ? std::nullopt : std::optional(parsed);
}

DisasmOptions TextOptions(uint16_t version) {
    DisasmOptions options;
    options.version = version;
    options.decode = [](std::string_view bytes) { return TrySjisToUtf8(std::string(bytes)); };
    options.encode = [](std::string_view text) { return TryUtf8ToSjis(std::string(text)); };
    return options;
}

// The text of `code`, checked to give the same bytes again; nothing (with a message) otherwise.
std::optional<std::string> Text(std::span<const uint8_t> code, uint16_t version, const std::string& what) {
    const DisasmOptions options = TextOptions(version);
    std::string text = Disassemble(code, options);
    AsmOptions check;
    check.version = version;
    check.encode = options.encode;
    const std::vector<uint8_t> again = Assemble(text, check).code;
    if (!std::equal(again.begin(), again.end(), code.begin(), code.end())) {
        std::fprintf(stderr, "kqtool disasm: internal error: the text of %s does not assemble to its bytes\n",
                     what.c_str());
        return std::nullopt;
    }
    return text;
}

std::string PatternHeader(const MascotData& data, uint16_t i, uint64_t offset) {
    const auto name = data.PatternName(i);
    std::string header = "; pattern " + std::to_string(i) + " at offset " + std::to_string(offset);
    if (name)
        header += ": \"" + SjisToUtf8Lossy(*name) + "\"";
    return header + "\n";
}

// The text of every pattern of the container (or of `only`); nothing when there is none to show.
std::optional<std::string> ContainerText(const MascotData& data, const Arguments& args) {
    const uint16_t count = data.PatternCount().value_or(0);
    if (args.pattern && *args.pattern >= count) {
        std::fprintf(stderr, "kqtool disasm: %s has %u patterns; there is no pattern %u\n",
                     args.input.c_str(), count, *args.pattern);
        return std::nullopt;
    }
    const uint16_t version = data.Version().value_or(0);
    const auto extents = PatternExtents(data);
    std::string out;
    for (uint16_t i = args.pattern.value_or(0); i < (args.pattern ? *args.pattern + 1 : count); ++i) {
        const auto code = i < extents.size() ? extents[i] : std::nullopt;
        if (!out.empty())
            out += "\n";
        if (!code) {
            out += "; pattern " + std::to_string(i) + ": its offset lies outside the container\n";
            continue;
        }
        const auto text = Text(*code, version, args.input + " pattern " + std::to_string(i));
        if (!text)
            return std::nullopt;
        out += PatternHeader(data, i, data.PatternAt(i)->Offset());
        out += *text;
    }
    return out;
}

std::optional<std::string> Disassembly(const std::vector<uint8_t>& bytes, const Arguments& args,
                                       std::string& usage) {
    const bool container = bytes.size() >= 2 && bytes[0] == 'K' && bytes[1] == 'Q';
    if (!container) {
        if (args.pattern)
            usage = "--pattern needs a container; " + args.input + " does not start with \"KQ\"";
        return args.pattern ? std::nullopt : Text(bytes, args.version.value_or(kDefaultVersion), args.input);
    }
    if (args.version) {
        usage = "--version is for raw byte code; a container's own version decides";
        return std::nullopt;
    }
    const MascotData data(bytes);
    if (!data.Table()) {
        std::fprintf(stderr, "kqtool disasm: %s: the pattern table lies outside the container\n",
                     args.input.c_str());
        return std::nullopt;
    }
    return ContainerText(data, args);
}

int RunDisasm(std::span<const std::string> args) {
    if (WantsHelp(kDisasm, args))
        return kExitOk;
    std::string error;
    const std::optional<Arguments> parsed = Parse(args, error);
    if (!parsed)
        return UsageError(kDisasm, error);
    const auto bytes = PosixFileSystem().ReadFile(parsed->input);
    if (!bytes) {
        std::fprintf(stderr, "kqtool disasm: cannot read %s\n", parsed->input.c_str());
        return kExitFailure;
    }
    const std::optional<std::string> text = Disassembly(*bytes, *parsed, error);
    if (!error.empty())
        return UsageError(kDisasm, error);
    if (!text)
        return kExitFailure;
    if (parsed->output.empty()) {
        std::fwrite(text->data(), 1, text->size(), stdout);
        return kExitOk;
    }
    std::ofstream file(parsed->output, std::ios::binary | std::ios::trunc);
    if (!file.write(text->data(), static_cast<std::streamsize>(text->size())).flush()) {
        std::fprintf(stderr, "kqtool disasm: cannot write %s\n", parsed->output.c_str());
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace
}  // namespace mascot::kqtool
