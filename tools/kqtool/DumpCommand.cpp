// kqtool dump: every field of a container, as a person reads it.
#include <cinttypes>
#include <cstdio>
#include <string>

#include "data/ContainerLayout.h"
#include "data/MascotData.h"
#include "platform/posix/PosixFileSystem.h"
#include "tools/common/Sjis.h"
#include "tools/kqtool/Command.h"

namespace mascot::kqtool {
namespace {

const char kUsage[] =
    "usage: kqtool dump FILE\n"
    "\n"
    "Prints the fields of a mascot container: header, both checksums (stored and computed),\n"
    "frame size, each frame image, title and about text (as UTF-8), defaults, the menu column\n"
    "length and each pattern with its name. Parts that lie outside the container are shown as\n"
    "\"(outside)\"; 'kqtool check' says what is wrong with them.\n"
    "\n"
    "Exit status: 0 when the file was read, 2 when it could not be read.\n";

std::string Quoted(std::string_view sjis) {
    std::string out = "\"";
    for (char c : SjisToUtf8Lossy(std::string(sjis))) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '"' || c == '\\')
            out += std::string("\\") + c;
        else
            out += c;
    }
    return out + "\"";
}

template <typename T>
std::string Field(const std::optional<T>& value) {
    return value ? std::to_string(*value) : "(outside)";
}

std::string Hex16(const std::optional<uint16_t>& value) {
    if (!value)
        return "(outside)";
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", *value);
    return text;
}

std::string Checksum(const std::optional<uint16_t>& stored, const std::optional<uint16_t>& computed) {
    const bool match = stored && computed && *stored == *computed;
    return "stored " + Hex16(stored) + ", computed " + Hex16(computed) + (match ? " (match)" : " (mismatch)");
}

void DumpHeader(const MascotData& data) {
    std::printf("magic: %s\n", data.HasMagic() ? "KQ" : "(not KQ)");
    std::printf(
        "version: %s%s\n", Field(data.Version()).c_str(),
        data.Version() ? (data.StringsScrambled() ? " (names and strings scrambled)" : " (plain)") : "");
    std::printf("directory offset: %s\n", Field(data.DirectoryOffset()).c_str());
    std::printf("table offset: %s\n", Field(data.TableOffset()).c_str());
    std::printf("total length: %s\n", Field(data.TotalLength()).c_str());
    std::printf("header checksum: %s\n",
                Checksum(data.StoredHeaderChecksum(), data.ComputedHeaderChecksum()).c_str());
    std::printf("table checksum: %s\n",
                Checksum(data.StoredTableChecksum(), data.ComputedTableChecksum()).c_str());
}

void DumpImages(const ImageDirectory& directory) {
    std::printf("frame size: %u x %u\n", directory.FrameWidth(), directory.FrameHeight());
    std::printf("images: %u\n", directory.ImageCount());
    for (uint16_t n = 0; n < directory.ImageCount(); ++n) {
        const auto offset = directory.ImageOffset(n);
        const auto image = directory.Image(n);
        if (!offset || !image) {
            std::printf("  image %u: offset %s (outside)\n", n, Field(offset).c_str());
            continue;
        }
        std::printf("  image %u: offset %u, at (%u, %u), %d x %d, %u bpp, compression %u, palette %u%s\n", n,
                    *offset, image->X(), image->Y(), image->Width(), image->Height(), image->BitCount(),
                    image->Compression(), image->ColourTableEntries(),
                    image->IsPackedMask() ? ", packed mask" : "");
    }
}

void DumpTable(const PatternTable& table) {
    const auto title = table.Title();
    const auto about = table.AboutText();
    std::printf("title: %s\n", title ? Quoted(*title).c_str() : "(no NUL in its field)");
    std::printf("about: %s\n", about ? Quoted(*about).c_str() : "(no NUL in its field)");
    std::printf("default pattern: %u\n", table.DefaultPattern());
    std::printf("default position: %u\n", table.DefaultPosition());
    std::printf("menu column length: %u (stored %s, gate %s)\n", table.MenuColumnLength(),
                Field(table.StoredMenuColumnLength()).c_str(), Field(table.ColumnGate()).c_str());
    std::printf("patterns: %u\n", table.PatternCount());
    for (uint16_t i = 0; i < table.PatternCount(); ++i) {
        const auto offset = table.PatternOffset(i);
        const auto pattern = table.PatternAt(i);
        if (!offset || !pattern) {
            std::printf("  pattern %u: offset %s (outside)\n", i, Field(offset).c_str());
            continue;
        }
        const auto name = pattern->Name();
        std::printf("  pattern %u: offset %u, name %s\n", i, *offset,
                    name ? Quoted(*name).c_str() : "(unreadable)");
    }
}

int RunDump(std::span<const std::string> args);

const Command kDump{"dump", "print the fields of a mascot container", kUsage, RunDump};

int RunDump(std::span<const std::string> args) {
    if (WantsHelp(kDump, args))
        return kExitOk;
    if (args.size() != 1)
        return UsageError(kDump, "expects exactly one FILE");
    const std::string& path = args[0];
    const auto bytes = PosixFileSystem().ReadFile(path);
    if (!bytes) {
        std::fprintf(stderr, "kqtool dump: %s: cannot read the file\n", path.c_str());
        return kExitFailure;
    }
    const MascotData data(*bytes);
    std::printf("file: %s\n", path.c_str());
    std::printf("size: %zu\n", bytes->size());
    DumpHeader(data);
    if (const auto& directory = data.Directory())
        DumpImages(*directory);
    else
        std::printf("image directory: (outside)\n");
    if (const auto& table = data.Table())
        DumpTable(*table);
    else
        std::printf("pattern table: (outside)\n");
    return kExitOk;
}

}  // namespace

KQTOOL_COMMAND(dump, kDump);

}  // namespace mascot::kqtool
