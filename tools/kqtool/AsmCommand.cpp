// kqtool asm: assembles one pattern from its text form into raw byte code.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/posix/PosixFileSystem.h"
#include "script/Assembler.h"
#include "script/CodeCheck.h"
#include "tools/common/Sjis.h"
#include "tools/kqtool/Command.h"

namespace mascot::kqtool {
namespace {

int RunAsm(std::span<const std::string> args);

const Command kAsm{
    "asm",
    "assemble a pattern's text (.kqs) into byte code",
    "usage: kqtool asm [--version N] [-o OUTPUT] INPUT.kqs\n"
    "\n"
    "Assembles one pattern. Strings are written in UTF-8 and stored as Shift-JIS, scrambled as\n"
    "container version N (default 302) stores them. The byte code goes to OUTPUT (default: INPUT\n"
    "with the extension .bin). Errors are printed as FILE:LINE:COLUMN: message; findings of the\n"
    "byte-code check as warnings.\n"
    "\n"
    "  --version N   container version, 0 to 303 (below 301 strings are stored plain)\n"
    "  -o OUTPUT     where to write the byte code\n",
    RunAsm,
};
KQTOOL_COMMAND(asm, kAsm);

struct Arguments {
    uint16_t version = kDefaultVersion;
    std::string input;
    std::string output;
};

std::optional<Arguments> Parse(std::span<const std::string> args, std::string& error) {
    Arguments parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--version" || args[i] == "-o") && i + 1 >= args.size()) {
            error = args[i] + " needs a value";
            return std::nullopt;
        }
        if (args[i] == "--version") {
            const std::string& value = args[++i];
            if (value.empty() || value.size() > 5 ||
                value.find_first_not_of("0123456789") != std::string::npos || std::stoul(value) > 0xFFFF) {
                error = "--version takes a number from 0 to 65535";
                return std::nullopt;
            }
            parsed.version = static_cast<uint16_t>(std::stoul(value));
        } else if (args[i] == "-o") {
            parsed.output = args[++i];
        } else if (parsed.input.empty() && !args[i].starts_with("-")) {
            parsed.input = args[i];
        } else {
            error = "unexpected argument '" + args[i] + "'";
            return std::nullopt;
        }
    }
    if (parsed.input.empty()) {
        error = "no input file";
        return std::nullopt;
    }
    if (parsed.output.empty()) {
        const size_t slash = parsed.input.find_last_of('/');
        const size_t dot = parsed.input.find_last_of('.');
        const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
        parsed.output = parsed.input.substr(0, hasExtension ? dot : std::string::npos) + ".bin";
    }
    return parsed;
}

int RunAsm(std::span<const std::string> args) {
    if (WantsHelp(kAsm, args))
        return kExitOk;
    std::string error;
    const std::optional<Arguments> parsed = Parse(args, error);
    if (!parsed)
        return UsageError(kAsm, error);
    PosixFileSystem files;
    const auto source = files.ReadFile(parsed->input);
    if (!source) {
        std::fprintf(stderr, "kqtool asm: cannot read %s\n", parsed->input.c_str());
        return kExitFailure;
    }
    AsmOptions options;
    options.version = parsed->version;
    options.fileName = parsed->input;
    options.encode = [](std::string_view text) { return TryUtf8ToSjis(std::string(text)); };
    const AsmOutput out = Assemble(std::string(source->begin(), source->end()), options);
    for (const AsmError& asmError : out.errors)
        std::fprintf(stderr, "%s\n", asmError.ToString().c_str());
    if (!out.Ok())
        return kExitFindings;
    for (const CodeFinding& finding :
         CheckPattern(out.code, CodeCheckOptions{parsed->version, std::nullopt, std::nullopt}))
        std::fprintf(stderr, "%s:%d: warning: offset %u: %s\n", parsed->input.c_str(),
                     out.LineOf(finding.offset), finding.offset, finding.message.c_str());
    std::ofstream file(parsed->output, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.code.data()), static_cast<std::streamsize>(out.code.size()));
    if (!file.flush()) {
        std::fprintf(stderr, "kqtool asm: cannot write %s\n", parsed->output.c_str());
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace
}  // namespace mascot::kqtool
