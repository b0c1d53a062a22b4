// kqtool check: would the program take this data file, and what would trip its readers.
#include <cstdio>
#include <string>

#include "data/ContainerCheck.h"
#include "data/ContainerValidation.h"
#include "data/MascotData.h"
#include "platform/posix/PosixFileSystem.h"
#include "script/ContainerCodeCheck.h"
#include "tools/kqtool/Command.h"

namespace mascot::kqtool {
namespace {

const char kUsage[] =
    "usage: kqtool check FILE\n"
    "\n"
    "Checks a mascot container as the program's data-file loader does, then for structural\n"
    "problems the loader does not test but a reader would trip on.\n"
    "\n"
    "The first line is the loader's verdict:\n"
    "  verdict: ok        the file loads without a question\n"
    "  verdict: M1        the file cannot be read\n"
    "  verdict: M2        the data is empty or too short for its header and tables\n"
    "  verdict: M3        the file does not start with \"KQ\"\n"
    "  verdict: M4        the version is above 303\n"
    "  verdict: Q (failed: length, header-crc, table-crc)\n"
    "                     the program would ask whether to go on; only the failed tests are named\n"
    "Then one line per structural problem, naming the item and its offset (not for M1 and M3,\n"
    "whose files are no containers), then one line per problem in the patterns' byte code, each\n"
    "decoded from its first byte up to the next block: the pattern, the offset in the container\n"
    "and in the pattern (as 'kqtool disasm' labels it), and what is wrong: an unknown jump target\n"
    "or one outside the pattern, an invalid variable, a sound above 4, an image, region slot or\n"
    "pattern that does not exist, a string over 255 bytes, code that runs off the end, or a loop\n"
    "that passes no Wait, WaitRandom, SetPosition or ChangePattern.\n"
    "\n"
    "Exit status: 0 for ok without problems, 1 for Q or any problem, 2 for M1 to M4.\n";

int RunCheck(std::span<const std::string> args);

const Command kCheck{"check", "check a mascot container as the loader does, its structure and byte code",
                     kUsage, RunCheck};

int RunCheck(std::span<const std::string> args) {
    if (WantsHelp(kCheck, args))
        return kExitOk;
    if (args.size() != 1)
        return UsageError(kCheck, "expects exactly one FILE");
    const std::string& path = args[0];
    const auto bytes = PosixFileSystem().ReadFile(path);
    if (!bytes) {
        std::printf("%s\n", VerdictLine(std::nullopt).c_str());
        std::fprintf(stderr, "kqtool check: %s: cannot read the file\n", path.c_str());
        return kExitFailure;
    }
    const FileValidation validation = ValidateDataFile(*bytes);
    std::printf("%s\n", VerdictLine(validation).c_str());
    Findings findings;
    if (validation.verdict != FileVerdict::NotContainer) {
        const MascotData data(*bytes);
        CheckContainerStructure(data, findings);
        CheckContainerCode(data, findings);
    }
    for (const Finding& finding : findings)
        std::printf("%s\n", finding.ToString().c_str());
    switch (validation.verdict) {
        case FileVerdict::Empty:
        case FileVerdict::NotContainer:
        case FileVerdict::TooNew:
        case FileVerdict::Unusable:
            return kExitFailure;
        case FileVerdict::Doubtful:
            return kExitFindings;
        case FileVerdict::Ok:
            break;
    }
    return findings.empty() ? kExitOk : kExitFindings;
}

}  // namespace

KQTOOL_COMMAND(check, kCheck);

}  // namespace mascot::kqtool
