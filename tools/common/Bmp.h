// Windows bitmap files as pictures, for packing characters from the pictures people draw.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "tools/common/Png.h"

namespace mascot {

// The picture in the bytes of a BMP file: "BM", the 14-byte file header, a 40-byte DIB header,
// the colour table and uncompressed bottom-up rows of 1, 4, 8, 24 or 32 bits per pixel. Every
// pixel comes out opaque. Nothing, with the reason in `error`, for any other form (the larger
// headers some editors write among them) or when the rows run past the end.
std::optional<Picture> DecodeBmp(std::span<const uint8_t> bytes, std::string* error = nullptr);
// The same, read from a file.
std::optional<Picture> ReadBmp(const std::string& path, std::string* error = nullptr);

// ReadPng or ReadBmp, chosen by the file's first bytes.
std::optional<Picture> ReadPicture(const std::string& path, std::string* error = nullptr);

}  // namespace mascot
