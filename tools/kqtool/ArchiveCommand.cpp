// kqtool archive: makes, lists and unpacks resource archives of content files.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sound/Archive.h"
#include "tools/common/ArchiveFiles.h"
#include "tools/common/BinaryFile.h"
#include "tools/kqtool/Command.h"

namespace mascot::kqtool {
namespace {

namespace fs = std::filesystem;

int Run(std::span<const std::string> args);

const Command kArchive{
    "archive",
    "build, list or extract a resource archive of content files",
    "usage: kqtool archive build DIR -o NAME\n"
    "       kqtool archive list NAME.idx\n"
    "       kqtool archive extract NAME.idx [-o DIR] [NAMES...]\n"
    "\n"
    "Resource archives hold content files (the sound waves) in an index and a data file.\n"
    "\n"
    "  build    packs the regular files of DIR (not its subfolders) into NAME.idx and NAME.dat;\n"
    "           each file's name, byte for byte, is the name the program looks it up by\n"
    "  list     prints every entry: its offset in the index, the offset and length of its data\n"
    "           and its name; problems in the index go to stderr and give exit code 1\n"
    "  extract  writes the named entries (every entry when none is named) into DIR (default:\n"
    "           the current directory), reading NAME.dat beside the index\n"
    "\n"
    "Options:\n"
    "  -o PATH     the archive to write (build) or the folder to extract into (extract)\n"
    "  -h, --help  show this help\n",
    Run,
};
KQTOOL_COMMAND(archive, kArchive);

struct Args {
    std::vector<std::string> positional;
    std::optional<std::string> output;
};

std::optional<Args> ParseArgs(std::span<const std::string> args, std::string& error) {
    Args parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 == args.size() || parsed.output) {
                error = parsed.output ? "-o given twice" : "-o needs a value";
                return std::nullopt;
            }
            parsed.output = args[++i];
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            error = "unknown option '" + args[i] + "'";
            return std::nullopt;
        } else {
            parsed.positional.push_back(args[i]);
        }
    }
    return parsed;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "kqtool archive: %s\n", message.c_str());
    return kExitFailure;
}

// A name as a person should see it: control bytes are escaped so that a crafted index cannot
// drive the terminal.
std::string Printable(std::span<const uint8_t> name) {
    std::string out;
    for (uint8_t byte : name) {
        if (byte < 0x20 || byte == 0x7F || byte == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

std::span<const uint8_t> NameBytes(std::string_view name) {
    return {reinterpret_cast<const uint8_t*>(name.data()), name.size()};
}

// The content files of `dir` in no particular order; nothing when the folder cannot be read.
std::optional<std::vector<ArchiveSource>> ReadSources(const std::string& dir) {
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) {
        Fail("cannot read folder '" + dir + "': " + ec.message());
        return std::nullopt;
    }
    std::vector<ArchiveSource> sources;
    for (const fs::directory_entry& entry : it) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file(ec)) {
            std::fprintf(stderr, "kqtool archive: skipping '%s': not a regular file\n", name.c_str());
            continue;
        }
        std::string error;
        auto bytes = ReadBinaryFile(entry.path().string(), error);
        if (!bytes) {
            Fail("cannot read '" + entry.path().string() + "': " + error);
            return std::nullopt;
        }
        sources.push_back({name, std::move(*bytes)});
    }
    return sources;
}

int Build(const Args& args) {
    if (args.positional.size() != 2)
        return UsageError(kArchive, "build takes one folder");
    if (!args.output)
        return UsageError(kArchive, "build needs -o NAME");
    auto sources = ReadSources(args.positional[1]);
    if (!sources)
        return kExitFailure;
    const size_t count = sources->size();
    std::string error;
    const auto archive = BuildArchive(std::move(*sources), error);
    if (!archive)
        return Fail("cannot build the archive: " + error);
    const std::string indexPath = *args.output + ".idx";
    const std::string dataPath = *args.output + ".dat";
    if (!WriteBinaryFile(indexPath, archive->index, error))
        return Fail("cannot write '" + indexPath + "': " + error);
    if (!WriteBinaryFile(dataPath, archive->data, error))
        return Fail("cannot write '" + dataPath + "': " + error);
    std::printf("%s: %zu entries, index %zu bytes, data %zu bytes\n", args.output->c_str(), count,
                archive->index.size(), archive->data.size());
    return kExitOk;
}

void PrintProblems(const ArchiveListing& listing, const std::string& path) {
    for (const std::string& problem : listing.problems)
        std::fprintf(stderr, "kqtool archive: %s: %s\n", path.c_str(), Printable(NameBytes(problem)).c_str());
}

int List(const Args& args) {
    if (args.positional.size() != 2 || args.output)
        return UsageError(kArchive, "list takes one index file and no -o");
    const std::string& path = args.positional[1];
    std::string error;
    const auto index = ReadBinaryFile(path, error);
    if (!index)
        return Fail("cannot read '" + path + "': " + error);
    const ArchiveListing listing = ListArchive(*index);
    std::printf("%6s %10s %10s  %s\n", "entry", "offset", "length", "name");
    for (const ArchiveEntry& entry : listing.entries)
        std::printf("%6u %10u %10u  %s\n", entry.position, entry.dataOffset, entry.length,
                    Printable(entry.name).c_str());
    PrintProblems(listing, path);
    return listing.problems.empty() ? kExitOk : kExitFindings;
}

// The data file that lies beside an index: NAME.idx -> NAME.dat.
std::string DataPathFor(const std::string& indexPath) {
    const std::string_view suffix = ".idx";
    if (indexPath.size() > suffix.size() && indexPath.ends_with(suffix))
        return indexPath.substr(0, indexPath.size() - suffix.size()) + ".dat";
    return indexPath + ".dat";
}

// A name that, joined to the output folder, stays inside it.
bool IsPlainFileName(std::span<const uint8_t> name) {
    const std::string_view text(reinterpret_cast<const char*>(name.data()), name.size());
    return !text.empty() && text != "." && text != ".." && text.find('/') == std::string_view::npos &&
           text.find('\0') == std::string_view::npos;
}

bool ExtractEntry(const ArchiveEntry& entry, std::span<const uint8_t> data, const fs::path& dir) {
    const std::string shown = Printable(entry.name);
    if (!IsPlainFileName(entry.name)) {
        Fail("not extracting '" + shown + "': the name is not a plain file name");
        return false;
    }
    const auto bytes = ArchiveDataOf(entry, data);
    if (!bytes) {
        Fail("not extracting '" + shown + "': its data (offset " + std::to_string(entry.dataOffset) +
             ", length " + std::to_string(entry.length) + ") lies outside the data file of " +
             std::to_string(data.size()) + " bytes");
        return false;
    }
    const std::string path = (dir / std::string(entry.name.begin(), entry.name.end())).string();
    std::string error;
    if (!WriteBinaryFile(path, *bytes, error)) {
        Fail("cannot write '" + path + "': " + error);
        return false;
    }
    return true;
}

// The entries to extract: the named ones, or all; false when a named one is missing.
bool SelectEntries(const Args& args, std::span<const uint8_t> index, std::vector<ArchiveEntry>& selected) {
    bool ok = true;
    for (size_t i = 2; i < args.positional.size(); ++i) {
        const std::string& name = args.positional[i];
        const uint16_t position = FindArchiveEntryIn(index, name);
        if (position == 0) {
            Fail("'" + name + "' is not in the archive");
            ok = false;
            continue;
        }
        selected.push_back(*ArchiveEntryIn(index, position));
    }
    return ok;
}

int Extract(const Args& args) {
    if (args.positional.size() < 2)
        return UsageError(kArchive, "extract takes an index file");
    const std::string& indexPath = args.positional[1];
    const std::string dataPath = DataPathFor(indexPath);
    std::string error;
    const auto index = ReadBinaryFile(indexPath, error);
    if (!index)
        return Fail("cannot read '" + indexPath + "': " + error);
    const auto data = ReadBinaryFile(dataPath, error);
    if (!data)
        return Fail("cannot read '" + dataPath + "': " + error);
    const fs::path dir = args.output.value_or(".");
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec)
        return Fail("cannot create folder '" + dir.string() + "': " + ec.message());

    std::vector<ArchiveEntry> selected;
    bool ok = true;
    bool findings = false;
    if (args.positional.size() > 2) {
        ok = SelectEntries(args, *index, selected);
    } else {
        ArchiveListing listing = ListArchive(*index);
        PrintProblems(listing, indexPath);
        findings = !listing.problems.empty();
        selected = std::move(listing.entries);
    }
    for (const ArchiveEntry& entry : selected)
        ok = ExtractEntry(entry, *data, dir) && ok;
    return !ok ? kExitFailure : findings ? kExitFindings : kExitOk;
}

int Run(std::span<const std::string> args) {
    if (WantsHelp(kArchive, args))
        return kExitOk;
    std::string error;
    const auto parsed = ParseArgs(args, error);
    if (!parsed)
        return UsageError(kArchive, error);
    const std::string action = parsed->positional.empty() ? "" : parsed->positional[0];
    if (action == "build")
        return Build(*parsed);
    if (action == "list")
        return List(*parsed);
    if (action == "extract")
        return Extract(*parsed);
    return UsageError(kArchive, action.empty() ? "missing action (build, list or extract)"
                                               : "unknown action '" + action + "'");
}

}  // namespace
}  // namespace mascot::kqtool
