// Text drawn by scripts into the back buffer.
#pragma once

#include <memory>
#include <string>

#include "platform/Types.h"

namespace mascot {

class Surface;

struct FontSpec {
    std::string face;        // Shift-JIS bytes
    int32_t pixelHeight = 0; // character height in pixels
    int32_t weight = 700;
    bool italic = false;
    uint8_t charset = 128;   // Shift-JIS
};

// A font the renderer created; the core owns it and deletes it.
class Font {
public:
    virtual ~Font() = default;
};

class TextRenderer {
public:
    virtual ~TextRenderer() = default;

    // Never null: a face the platform lacks gets its nearest match.
    virtual std::unique_ptr<Font> CreateFont(const FontSpec& spec) = 0;
    // Draws Shift-JIS text with `font` (null: the platform's default font) at `origin` (the top
    // left of the text cell), black on an opaque white background, clipped to the surface.
    virtual void DrawText(Surface& surface, const Font* font, Point origin, const std::string& text) = 0;
};

}  // namespace mascot
