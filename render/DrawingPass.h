// The fixed palette steps around every drawing pass and every paint. The back buffer is true
// colour, so none of these steps changes a pixel; they keep, as state, what a palette display
// would be told: which palette each drawing context has selected, how, and how often it was
// realised. A backend on a palette display and the tests read it.
#pragma once

#include <cstdint>
#include <optional>

#include "render/Dib.h"
#include "render/Palette.h"
#include "render/Surface.h"

namespace mascot {

class Window;

// The palette side of one drawing context. A fresh context has the display's default palette
// (null) selected.
class PaletteSelection {
public:
    // Selects `palette` (null: the default palette) and returns the one it replaces, which the
    // context no longer keeps alive.
    PalettePtr Select(PalettePtr palette, bool forceBackground);
    // Realises the selected palette; counted only when a palette of ours is selected.
    void Realize();

    const PalettePtr& Selected() const { return m_pSelected; }
    bool ForceBackground() const { return m_bForceBackground; }
    uint32_t Realizations() const { return m_nRealizations; }

private:
    PalettePtr m_pSelected;
    bool m_bForceBackground = false;
    uint32_t m_nRealizations = 0;
};

// One drawing pass: a memory context on the back buffer with the mascot palette selected as a
// background palette and realised, for the script to draw through until it yields. When the
// mascot has no palette the selection steps are skipped. End (or the destructor) selects the
// remembered default palette back with force-background clear; the context then ends, and with
// it the last hold on a palette that was replaced during the pass.
class DrawingPass {
public:
    DrawingPass(Surface& backBuffer, PalettePtr& mascotPalette);
    ~DrawingPass() { End(); }
    DrawingPass(const DrawingPass&) = delete;
    DrawingPass& operator=(const DrawingPass&) = delete;

    Surface& Target() { return m_backBuffer; }
    const PaletteSelection& Context() const { return m_context; }

    // The Palette instruction: a new palette built from `image` becomes the mascot's palette for
    // the rest of this pass and every later pass and paint. A palette is selected into this
    // context and realised at once; the previous palette goes as soon as no context has it
    // selected. An image of more than 8 bits per pixel, or none, leaves the mascot without a
    // palette, and the previous one stays selected here until End.
    void ReplacePalette(const std::optional<Dib>& image);

    // Restores the context; idempotent.
    void End();

private:
    void SelectIntoContext(const PalettePtr& palette);

    Surface& m_backBuffer;
    PalettePtr& m_mascotPalette;
    PaletteSelection m_context;
    PalettePtr m_pRemembered;
    bool m_bSelected = false;
    bool m_bEnded = false;
};

// One paint: the mascot palette is selected as a background palette and realised first in the
// window's context, then in a memory context holding the back buffer; Present copies the back
// buffer to the window; End (or the destructor) selects the remembered palettes back in both
// contexts with force-background clear. Without a mascot palette the palette steps are skipped.
class PaintPass {
public:
    explicit PaintPass(PalettePtr mascotPalette);
    ~PaintPass() { End(); }
    PaintPass(const PaintPass&) = delete;
    PaintPass& operator=(const PaintPass&) = delete;

    const PaletteSelection& WindowContext() const { return m_windowContext; }
    const PaletteSelection& MemoryContext() const { return m_memoryContext; }

    // Copies the whole back buffer to the window at (0, 0), naming the palette realised for it.
    void Present(Window& window, const Surface& backBuffer) const;

    void End();

private:
    PalettePtr m_pPalette;
    PaletteSelection m_windowContext;
    PaletteSelection m_memoryContext;
    PalettePtr m_pRememberedWindow;
    PalettePtr m_pRememberedMemory;
    bool m_bEnded = false;
};

}  // namespace mascot
