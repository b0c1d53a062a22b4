// Packs a character from its manifest (CharacterManifest.h): reads the pictures, turns them into
// frame images of the manifest's kinds, assembles the patterns and writes the container.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "data/ContainerWriter.h"
#include "tools/common/CharacterManifest.h"
#include "tools/common/Png.h"

namespace mascot {

// Pixels of `picture` as mask values: 0 inside the shape, 1 outside (see CharacterManifest.h).
std::vector<uint8_t> MaskPixels(const Picture& picture);

// The one colour table of the colour8 pictures: their colours in the order they first appear.
// Nothing when they hold more than 256 colours.
std::optional<std::vector<uint32_t>> SharedColourTable(std::span<const Picture* const> pictures);

// The DIB (DibWriter.h) of `picture` as an image of `kind`; `table` is the shared colour table
// for colour8 and must hold every colour of the picture.
std::vector<uint8_t> ImageDib(const Picture& picture, ImageKind kind, std::span<const uint32_t> table);

// The container of the manifest whose files lie in `baseDir` (with or without its trailing
// separator). Nothing when a file cannot be read or converted or a pattern does not assemble;
// every such error is in `errors`, naming the file (and line).
std::optional<BuiltContainer> BuildCharacter(const CharacterManifest& manifest, const std::string& baseDir,
                                             std::vector<std::string>& errors);

}  // namespace mascot
