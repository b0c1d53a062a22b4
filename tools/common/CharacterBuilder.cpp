#include "tools/common/CharacterBuilder.h"

#include <algorithm>
#include <unordered_map>

#include "data/DibWriter.h"
#include "script/Assembler.h"
#include "tools/common/BinaryFile.h"
#include "tools/common/Bmp.h"
#include "tools/common/Sjis.h"

namespace mascot {
namespace {

constexpr uint32_t kRgb = 0x00FFFFFF;
constexpr size_t kTitleMax = 31;
constexpr size_t kAboutMax = 63;

std::string PathIn(const std::string& baseDir, const std::string& file) {
    if (baseDir.empty() || file.starts_with("/"))
        return file;
    return baseDir.ends_with("/") ? baseDir + file : baseDir + "/" + file;
}

bool Opaque(uint32_t pixel) {
    return (pixel >> 24) >= 128;
}

// The text in Shift-JIS, or nothing with an error when it has no Shift-JIS form or is too long.
std::optional<std::string> SjisField(const std::string& text, const char* what, size_t max,
                                     std::vector<std::string>& errors) {
    const auto sjis = TryUtf8ToSjis(text);
    if (!sjis)
        errors.push_back(std::string(what) + " has a character with no Shift-JIS form");
    else if (sjis->size() > max)
        errors.push_back(std::string(what) + " is " + std::to_string(sjis->size()) + " bytes in Shift-JIS; " +
                         std::to_string(max) + " fit");
    return sjis && sjis->size() <= max ? sjis : std::nullopt;
}

struct LoadedImage {
    const ManifestImage* source = nullptr;
    Picture picture;
};

std::optional<std::vector<LoadedImage>> LoadImages(const CharacterManifest& manifest,
                                                   const std::string& baseDir,
                                                   std::vector<std::string>& errors) {
    std::vector<LoadedImage> images;
    bool ok = true;
    for (const ManifestImage& image : manifest.images) {
        std::string error;
        auto picture = ReadPicture(PathIn(baseDir, image.file), &error);
        if (!picture) {
            errors.push_back(error);
            ok = false;
            continue;
        }
        images.push_back(LoadedImage{&image, std::move(*picture)});
    }
    return ok ? std::optional(std::move(images)) : std::nullopt;
}

std::optional<std::vector<uint8_t>> AssemblePattern(const ManifestPattern& pattern, uint16_t version,
                                                    const std::string& baseDir,
                                                    std::vector<std::string>& errors) {
    const std::string path = PathIn(baseDir, pattern.file);
    std::string reason;
    const auto source = ReadBinaryFile(path, reason);
    if (!source) {
        errors.push_back(path + ": " + reason);
        return std::nullopt;
    }
    AsmOptions options;
    options.version = version;
    options.fileName = path;
    options.encode = [](std::string_view text) { return TryUtf8ToSjis(std::string(text)); };
    AsmOutput out = Assemble(std::string(source->begin(), source->end()), options);
    for (const AsmError& error : out.errors)
        errors.push_back(error.ToString());
    return out.Ok() ? std::optional(std::move(out.code)) : std::nullopt;
}

}  // namespace

std::vector<uint8_t> MaskPixels(const Picture& picture) {
    const bool cutOut = std::any_of(picture.pixels.begin(), picture.pixels.end(),
                                    [](uint32_t pixel) { return !Opaque(pixel); });
    std::vector<uint8_t> mask(picture.pixels.size());
    for (size_t i = 0; i < mask.size(); ++i) {
        const uint32_t p = picture.pixels[i];
        const uint32_t grey = (((p >> 16) & 0xFF) * 299 + ((p >> 8) & 0xFF) * 587 + (p & 0xFF) * 114) / 1000;
        const bool inside = cutOut ? Opaque(p) : grey < 128;
        mask[i] = inside ? 0 : 1;
    }
    return mask;
}

std::optional<std::vector<uint32_t>> SharedColourTable(std::span<const Picture* const> pictures) {
    std::vector<uint32_t> table;
    std::unordered_map<uint32_t, uint8_t> seen;
    for (const Picture* picture : pictures) {
        for (const uint32_t pixel : picture->pixels) {
            const uint32_t rgb = pixel & kRgb;
            if (seen.count(rgb))
                continue;
            if (table.size() == 256)
                return std::nullopt;
            seen.emplace(rgb, static_cast<uint8_t>(table.size()));
            table.push_back(rgb);
        }
    }
    return table;
}

std::vector<uint8_t> ImageDib(const Picture& picture, ImageKind kind, std::span<const uint32_t> table) {
    switch (kind) {
        case ImageKind::Colour8: {
            std::unordered_map<uint32_t, uint8_t> index;
            for (size_t i = 0; i < table.size() && i < 256; ++i)
                index.emplace(table[i] & kRgb, static_cast<uint8_t>(i));
            std::vector<uint8_t> indices(picture.pixels.size());
            for (size_t i = 0; i < indices.size(); ++i)
                indices[i] = index[picture.pixels[i] & kRgb];
            return MakeIndexedDib(picture.width, picture.height, 8, table, indices);
        }
        case ImageKind::Colour24: {
            std::vector<uint32_t> rgb(picture.pixels.size());
            std::transform(picture.pixels.begin(), picture.pixels.end(), rgb.begin(),
                           [](uint32_t p) { return p & kRgb; });
            return MakeRgbDib(picture.width, picture.height, rgb);
        }
        case ImageKind::Mask:
            return MakeMaskDib(picture.width, picture.height, MaskPixels(picture));
        case ImageKind::PackedMask:
            return MakePackedMaskDib(picture.width, picture.height, MaskPixels(picture));
    }
    return {};
}

std::optional<BuiltContainer> BuildCharacter(const CharacterManifest& manifest, const std::string& baseDir,
                                             std::vector<std::string>& errors) {
    const size_t before = errors.size();
    const auto title = SjisField(manifest.title, "title", kTitleMax, errors);
    const auto about = SjisField(manifest.about, "about", kAboutMax, errors);
    const auto images = LoadImages(manifest, baseDir, errors);
    std::vector<std::vector<uint8_t>> patterns;
    for (const ManifestPattern& pattern : manifest.patterns)
        if (auto code = AssemblePattern(pattern, manifest.version, baseDir, errors))
            patterns.push_back(std::move(*code));
    if (!images)
        return std::nullopt;
    std::vector<const Picture*> colour8;
    for (const LoadedImage& image : *images)
        if (image.source->kind == ImageKind::Colour8)
            colour8.push_back(&image.picture);
    const auto table = SharedColourTable(colour8);
    if (!table)
        errors.push_back("the colour8 images hold more than 256 colours between them");
    if (errors.size() != before)
        return std::nullopt;

    ContainerWriter writer;
    writer.SetVersion(manifest.version)
        .SetFrameSize(manifest.frameWidth, manifest.frameHeight)
        .SetTitle(*title)
        .SetAboutText(*about)
        .SetDefaults(manifest.defaultPattern, manifest.defaultPosition)
        .SetMenuColumns(manifest.menuColumnLength, manifest.columnGate);
    for (const LoadedImage& image : *images)
        writer.AddImage(image.source->x, image.source->y,
                        ImageDib(image.picture, image.source->kind, *table));
    for (std::vector<uint8_t>& code : patterns)
        writer.AddPattern(std::move(code));
    return writer.Build();
}

}  // namespace mascot
