#include "tools/common/Png.h"

#include <png.h>

namespace mascot {
namespace {

constexpr uint32_t kMaxSide = 16384;

void SetError(std::string* error, const std::string& text) {
    if (error)
        *error = text;
}

// Frees libpng's state on every way out.
struct ImageGuard {
    png_image& image;
    ~ImageGuard() { png_image_free(&image); }
};

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes, int32_t width, int32_t height,
                uint32_t format, std::string* error) {
    if (width <= 0 || height <= 0) {
        SetError(error, "cannot write an empty picture to " + path);
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = format;
    ImageGuard guard{image};
    if (!png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr)) {
        SetError(error, path + ": " + image.message);
        return false;
    }
    return true;
}

}  // namespace

Picture PictureOfSurface(const Surface& surface) {
    Picture picture{surface.Width(), surface.Height(), surface.Pixels()};
    for (uint32_t& pixel : picture.pixels)
        pixel = kOpaque | (pixel & 0x00FFFFFF);
    return picture;
}

Picture PictureOfWindow(const Surface& surface, const Region* shape) {
    Picture picture = PictureOfSurface(surface);
    if (!shape)
        return picture;
    for (int32_t y = 0; y < picture.height; ++y)
        for (int32_t x = 0; x < picture.width; ++x)
            if (!shape->Contains(x, y))
                picture.pixels[size_t(y) * size_t(picture.width) + size_t(x)] = 0;
    return picture;
}

bool WritePng(const std::string& path, const Picture& picture, std::string* error) {
    std::vector<uint8_t> bytes;
    bytes.reserve(picture.pixels.size() * 4);
    for (uint32_t pixel : picture.pixels) {
        bytes.push_back(static_cast<uint8_t>(pixel >> 16));
        bytes.push_back(static_cast<uint8_t>(pixel >> 8));
        bytes.push_back(static_cast<uint8_t>(pixel));
        bytes.push_back(static_cast<uint8_t>(pixel >> 24));
    }
    return WriteBytes(path, bytes, picture.width, picture.height, PNG_FORMAT_RGBA, error);
}

bool WritePng(const std::string& path, const Surface& surface, std::string* error) {
    std::vector<uint8_t> bytes;
    bytes.reserve(surface.Pixels().size() * 3);
    for (uint32_t pixel : surface.Pixels()) {
        bytes.push_back(static_cast<uint8_t>(pixel >> 16));
        bytes.push_back(static_cast<uint8_t>(pixel >> 8));
        bytes.push_back(static_cast<uint8_t>(pixel));
    }
    return WriteBytes(path, bytes, surface.Width(), surface.Height(), PNG_FORMAT_RGB, error);
}

std::optional<Picture> ReadPng(const std::string& path, std::string* error) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ImageGuard guard{image};
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        SetError(error, path + ": " + image.message);
        return std::nullopt;
    }
    if (image.width > kMaxSide || image.height > kMaxSide) {
        SetError(error, path + ": picture larger than 16384 x 16384 pixels");
        return std::nullopt;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) {
        SetError(error, path + ": " + image.message);
        return std::nullopt;
    }
    Picture picture{static_cast<int32_t>(image.width), static_cast<int32_t>(image.height), {}};
    picture.pixels.resize(size_t(image.width) * image.height);
    for (size_t k = 0; k < picture.pixels.size(); ++k) {
        const uint8_t* p = bytes.data() + 4 * k;
        picture.pixels[k] = (uint32_t{p[3]} << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
    return picture;
}

}  // namespace mascot
