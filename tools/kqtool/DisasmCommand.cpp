// kqtool disasm: turns one pattern's raw byte code into its text form.
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

#include "platform/posix/PosixFileSystem.h"
#include "script/Assembler.h"
#include "script/Disassembler.h"
#include "tools/common/Sjis.h"
#include "tools/kqtool/Command.h"

namespace mascot::kqtool {
namespace {

int RunDisasm(std::span<const std::string> args);

const Command kDisasm{
    "disasm",
    "write a pattern's byte code as text (.kqs)",
    "usage: kqtool disasm [--version N] [-o OUTPUT] INPUT\n"
    "\n"
    "Disassembles one pattern's byte code, read as container version N (default 302) stores\n"
    "strings. The text goes to OUTPUT or to standard output; 'kqtool asm' turns it into the same\n"
    "bytes again. Strings are shown in UTF-8 where their bytes are Shift-JIS text.\n"
    "\n"
    "  --version N   container version (below 301 strings are stored plain)\n"
    "  -o OUTPUT     where to write the text\n",
    RunDisasm,
};
KQTOOL_COMMAND(disasm, kDisasm);

int RunDisasm(std::span<const std::string> args) {
    if (WantsHelp(kDisasm, args))
        return kExitOk;
    uint16_t version = kDefaultVersion;
    std::string input;
    std::string output;
    for (size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--version" || args[i] == "-o") && i + 1 >= args.size())
            return UsageError(kDisasm, args[i] + " needs a value");
        if (args[i] == "--version") {
            const std::string& value = args[++i];
            if (value.empty() || value.size() > 5 ||
                value.find_first_not_of("0123456789") != std::string::npos || std::stoul(value) > 0xFFFF)
                return UsageError(kDisasm, "--version takes a number from 0 to 65535");
            version = static_cast<uint16_t>(std::stoul(value));
        } else if (args[i] == "-o") {
            output = args[++i];
        } else if (input.empty() && !args[i].starts_with("-")) {
            input = args[i];
        } else {
            return UsageError(kDisasm, "unexpected argument '" + args[i] + "'");
        }
    }
    if (input.empty())
        return UsageError(kDisasm, "no input file");
    PosixFileSystem files;
    const auto code = files.ReadFile(input);
    if (!code) {
        std::fprintf(stderr, "kqtool disasm: cannot read %s\n", input.c_str());
        return kExitFailure;
    }
    DisasmOptions options;
    options.version = version;
    options.decode = [](std::string_view bytes) { return TrySjisToUtf8(std::string(bytes)); };
    options.encode = [](std::string_view text) { return TryUtf8ToSjis(std::string(text)); };
    const std::string text = Disassemble(*code, options);

    // The text must give the same bytes again; say so loudly if it would not.
    AsmOptions check;
    check.version = version;
    check.encode = options.encode;
    if (Assemble(text, check).code != *code) {
        std::fprintf(stderr, "kqtool disasm: internal error: the text of %s does not assemble to its bytes\n",
                     input.c_str());
        return kExitFailure;
    }
    if (output.empty()) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return kExitOk;
    }
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    if (!file.write(text.data(), static_cast<std::streamsize>(text.size())).flush()) {
        std::fprintf(stderr, "kqtool disasm: cannot write %s\n", output.c_str());
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace
}  // namespace mascot::kqtool
