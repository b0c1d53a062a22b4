// Drawing a frame image into the back buffer: our own code in place of the platform's
// device-independent bitmap drawing, with the results that call gives for the forms we support.
#pragma once

#include <cstdint>

#include "render/Dib.h"
#include "render/Surface.h"

namespace mascot {

// True for the forms DrawDibAt draws: compression 0 and 1, 4, 8 or 24 bits per pixel, with every
// row inside the container.
bool IsDrawableDib(const Dib& dib);

// Draws `dib` 1:1 with its top-left corner at (x, y) of `surface`. Every pixel of the image's
// rectangle replaces the surface's pixel (no transparency); what falls outside the surface is
// clipped. The offsets are unsigned 16-bit, so an image can only stick out to the right and the
// bottom; y = 65535 puts it entirely below any frame. 1, 4 and 8-bit pixels index the colour
// table, 24-bit pixels are blue, green, red triples. Returns false, drawing nothing, for a form
// IsDrawableDib rejects.
bool DrawDibAt(Surface& surface, uint16_t x, uint16_t y, const Dib& dib);

}  // namespace mascot
