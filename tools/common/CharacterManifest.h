// The source of a character: a small text manifest that names the container's texts, numbers,
// frame images and pattern files. `kqtool build` packs it; `kqtool build --help` documents it.
//
//     # character.txt: one "key = value" per line; a line starting with # is a comment
//     title    = デモ
//     about    = 小さな\nデモ
//     version  = 302
//     frame    = 112 x 160
//     defaults = 1 90
//     menu     = 0 0
//     image    = body.png 0 0 colour8
//     image    = mask.png 0 0 mask
//     pattern  = idle.kqs
//
// title and about are UTF-8, stored as Shift-JIS in 31 and 63 bytes at most; \n is a line
// feed, \t a tab, \\ a backslash. version is 0 to 303 (default 302; from 301 on names and
// strings are scrambled). frame is the frame width x height. defaults are the default pattern
// (0 = random, default 1) and position in percent (default 90). menu is the patterns per menu
// column and the column gate, which must be above 4 for the length to count (default 0 0).
// Each image line adds a frame image (numbered from 0 in this order): FILE X Y KIND, the file a
// PNG or BMP, X Y where its left and top edge go in the frame. Each pattern line adds a pattern
// (numbered from 1 in this order) from a .kqs file. Files are relative to the manifest's
// directory and have no blanks in their names.
//
// Image kinds: colour8 (an 8-bit picture; every colour8 image shares one colour table of at most
// 256 colours, as the palette is built from image 0), colour24, mask (1 bit) and packed-mask
// (1 bit, rows packed). A mask pixel lies inside the shape where its picture is opaque (alpha
// 128 or more) when the picture has any transparent pixel, and where it is dark (grey level
// below 128) when it has none: black on white, or a picture cut out on transparency.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mascot {

enum class ImageKind : uint8_t { Colour8, Colour24, Mask, PackedMask };

struct ManifestImage {
    std::string file;
    uint16_t x = 0;
    uint16_t y = 0;
    ImageKind kind = ImageKind::Colour8;
    int line = 0;
};

struct ManifestPattern {
    std::string file;
    int line = 0;
};

struct CharacterManifest {
    std::string title;  // UTF-8
    std::string about;  // UTF-8, line feeds decoded
    uint16_t version = 302;
    uint16_t frameWidth = 0;
    uint16_t frameHeight = 0;
    uint16_t defaultPattern = 1;
    uint16_t defaultPosition = 90;
    uint16_t menuColumnLength = 0;
    uint16_t columnGate = 0;
    std::vector<ManifestImage> images;
    std::vector<ManifestPattern> patterns;
};

struct ManifestError {
    std::string file;
    int line = 0;  // 0: about the whole file
    std::string message;
    // "file:line: message", or "file: message"
    std::string ToString() const;
};

// Reads a manifest. Every error is reported; the manifest is complete only when there is none.
// A frame size, at least one image and at least one pattern are required.
CharacterManifest ParseManifest(std::string_view text, const std::string& fileName,
                                std::vector<ManifestError>& errors);

// "colour8", ... as the manifest spells them.
const char* ImageKindName(ImageKind kind);

}  // namespace mascot
