#include "data/ContainerCheck.h"

#include <algorithm>

#include "data/ContainerLayout.h"

namespace mascot {

using namespace layout;

namespace {

std::string Num(uint64_t value) {
    return std::to_string(value);
}

void Add(Findings& findings, std::string item, std::optional<uint64_t> offset, std::string problem) {
    findings.push_back(Finding{std::move(item), offset, std::move(problem)});
}

// How many entries of an offset array at `field0` fit inside the container.
uint64_t EntriesInside(uint64_t field0, uint64_t count, uint64_t size) {
    if (field0 >= size)
        return 0;
    return std::min<uint64_t>(count, (size - field0) / 4);
}

void CheckImageHeader(const FrameImage& image, const std::string& item, Findings& findings) {
    const uint64_t at = image.Offset();
    if (image.HeaderSize() != kDibHeaderSize)
        Add(findings, item, at, "DIB header size " + Num(image.HeaderSize()) + " is not supported (only 40)");
    if (image.Width() <= 0 || image.Height() <= 0)
        Add(findings, item, at,
            "width " + std::to_string(image.Width()) + " and height " + std::to_string(image.Height()) +
                " must be positive (top-down images are not supported)");
    const uint16_t bits = image.BitCount();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        Add(findings, item, at, Num(bits) + " bits per pixel are not supported (1, 4, 8 or 24)");
    if ((bits == 8 || bits == 24) && image.Compression() != 0)
        Add(findings, item, at,
            "compression " + Num(image.Compression()) + " is not supported on a colour image");
    if (image.ColoursUsed() != 0)
        Add(findings, item, at, "colours-used " + Num(image.ColoursUsed()) + " is not supported (only 0)");
}

void CheckImageBits(const FrameImage& image, const std::string& item, Findings& findings) {
    const auto bits = image.Bits();
    if (!image.ColourTable() || !bits) {
        Add(findings, item, image.Offset() + kImgColourTable,
            "colour table runs past the end of the container");
        return;
    }
    const uint64_t wanted = image.PlainBitsSize();
    const uint64_t bitsAt = image.Offset() + kImgColourTable + 4ull * image.ColourTableEntries();
    if (image.IsPackedMask()) {
        const uint64_t yield = PackedMaskYield(*bits, wanted);
        if (yield < wanted)
            Add(findings, item, bitsAt,
                "packed mask yields " + Num(yield) + " of its " + Num(wanted) +
                    " bytes before the container ends");
    } else if (bits->size() < wanted) {
        Add(findings, item, bitsAt,
            "pixel bits need " + Num(wanted) + " bytes, only " + Num(bits->size()) +
                " remain in the container");
    }
}

void CheckImages(const MascotData& data, const ImageDirectory& directory, Findings& findings) {
    const uint16_t count = directory.ImageCount();
    if (count == 0) {
        Add(findings, "image directory", directory.Offset(),
            "holds no images (the palette comes from image 0)");
        return;
    }
    const uint64_t inside = EntriesInside(directory.ImageOffsetField(0), count, data.Size());
    if (inside < count)
        Add(findings, "image directory", directory.ImageOffsetField(static_cast<uint16_t>(inside)),
            "offsets of images " + Num(inside) + " to " + Num(count - 1u) +
                " run past the end of the container");
    for (uint16_t n = 0; n < inside; ++n) {
        const std::string item = "image " + Num(n);
        const auto image = directory.Image(n);
        if (!image) {
            Add(findings, item, directory.Offset() + *directory.ImageOffset(n),
                "starts too close to or past the end of the container for its headers");
            continue;
        }
        CheckImageHeader(*image, item, findings);
        CheckImageBits(*image, item, findings);
    }
}

void CheckPattern(const PatternTable& table, uint16_t i, Findings& findings) {
    const std::string item = "pattern " + Num(i);
    const uint64_t start = table.Offset() + *table.PatternOffset(i);
    const auto pattern = table.PatternAt(i);
    if (!pattern) {
        Add(findings, item, start, "starts at or past the end of the container");
        return;
    }
    if (!pattern->StartsWithName()) {
        Add(findings, item, start, "does not start with Name (opcode 16), where the menu reads its name");
        return;
    }
    const auto length = pattern->NameLength();
    if (!length)
        Add(findings, item, start + kPatNameLength, "name length runs past the end of the container");
    else if (*length > kMaxNameLength)
        Add(findings, item, start + kPatNameLength, "name of " + Num(*length) + " bytes is longer than 255");
    else if (!pattern->StoredName())
        Add(findings, item, start + kPatNameBytes, "name bytes run past the end of the container");
}

void CheckTable(const MascotData& data, const PatternTable& table, Findings& findings) {
    if (!table.Title())
        Add(findings, "title", table.Offset() + kTblTitle, "has no NUL within its 32 bytes");
    if (!table.AboutText())
        Add(findings, "about text", table.Offset() + kTblAbout, "has no NUL within its 64 bytes");
    if (table.Offset() < kPrefixSize)
        Add(findings, "pattern table", table.Offset(), "starts less than 6 bytes in: no room for the prefix");
    const uint16_t count = table.PatternCount();
    if (count == 0)
        Add(findings, "pattern table", table.Offset() + kTblPatternCount,
            "pattern count is 0: no pattern can run");
    if (count > kMaxPatterns)
        Add(findings, "pattern table", table.Offset() + kTblPatternCount,
            "pattern count " + Num(count) + " is above 16, more than the menu has commands for");
    const uint64_t inside = EntriesInside(table.PatternOffsetField(0), count, data.Size());
    if (inside < count)
        Add(findings, "pattern table", table.PatternOffsetField(static_cast<uint16_t>(inside)),
            "offsets of patterns " + Num(inside) + " to " + Num(count - 1u) +
                " run past the end of the container");
    for (uint16_t i = 0; i < inside; ++i)
        CheckPattern(table, i, findings);
}

}  // namespace

std::string Finding::ToString() const {
    if (!offset)
        return item + ": " + problem;
    return item + " at offset " + Num(*offset) + ": " + problem;
}

uint64_t PackedMaskYield(std::span<const uint8_t> stream, uint64_t wanted) {
    uint64_t produced = 0;
    size_t i = 0;
    while (produced < wanted && i < stream.size()) {
        const uint8_t b = stream[i++];
        if (b != 0xCC && b != 0x33) {
            ++produced;
            continue;
        }
        if (i == stream.size())
            break;
        const uint8_t n = stream[i++];
        produced += n == 0 ? 1 : n;
    }
    return std::min(produced, wanted);
}

void CheckContainerStructure(const MascotData& data, Findings& findings) {
    if (data.Size() < kHeaderSize) {
        Add(findings, "header", 0,
            "the container has " + Num(data.Size()) + " bytes, fewer than the 36 of a header");
        return;
    }
    if (const auto& directory = data.Directory())
        CheckImages(data, *directory, findings);
    else
        Add(findings, "image directory", *data.DirectoryOffset(),
            "its 8-byte fixed part runs past the end of the container (" + Num(data.Size()) + " bytes)");
    if (const auto& table = data.Table())
        CheckTable(data, *table, findings);
    else
        Add(findings, "pattern table", *data.TableOffset(),
            "its 104-byte fixed part runs past the end of the container (" + Num(data.Size()) + " bytes)");
}

std::string VerdictLine(const std::optional<FileValidation>& validation) {
    if (!validation)
        return "verdict: M1";
    if (validation->verdict != FileVerdict::Doubtful)
        return "verdict: " + std::string(VerdictMessageId(validation->verdict));
    std::string failed;
    const auto note = [&failed](bool ok, const char* name) {
        if (!ok)
            failed += (failed.empty() ? "" : ", ") + std::string(name);
    };
    note(validation->lengthOk, "length");
    note(validation->headerChecksumOk, "header-crc");
    note(validation->tableChecksumOk, "table-crc");
    return "verdict: Q (failed: " + failed + ")";
}

}  // namespace mascot
