#include "render/DrawingPass.h"

#include <utility>

#include "platform/Window.h"

namespace mascot {

PalettePtr PaletteSelection::Select(PalettePtr palette, bool forceBackground) {
    m_bForceBackground = forceBackground;
    return std::exchange(m_pSelected, std::move(palette));
}

void PaletteSelection::Realize() {
    if (m_pSelected)
        ++m_nRealizations;
}

DrawingPass::DrawingPass(Surface& backBuffer, PalettePtr& mascotPalette)
    : m_backBuffer(backBuffer), m_mascotPalette(mascotPalette) {
    if (m_mascotPalette)
        SelectIntoContext(m_mascotPalette);
}

void DrawingPass::SelectIntoContext(const PalettePtr& palette) {
    PalettePtr replaced = m_context.Select(palette, true);
    if (!m_bSelected) {
        m_pRemembered = std::move(replaced);
        m_bSelected = true;
    }
    m_context.Realize();
    // Any other replaced palette is dropped here: once the context lets go of an old mascot
    // palette, nothing keeps it.
}

void DrawingPass::ReplacePalette(const std::optional<Dib>& image) {
    PalettePtr fresh;
    BuildPalette(image, fresh);
    // The previous palette object goes with this assignment unless the context still has it
    // selected; then it lives until a new palette replaces it there or the pass ends.
    m_mascotPalette = fresh;
    if (fresh)
        SelectIntoContext(fresh);
}

void DrawingPass::End() {
    if (m_bEnded)
        return;
    m_bEnded = true;
    if (m_bSelected)
        m_context.Select(std::move(m_pRemembered), false);
}

PaintPass::PaintPass(PalettePtr mascotPalette) : m_pPalette(std::move(mascotPalette)) {
    if (!m_pPalette)
        return;
    m_pRememberedWindow = m_windowContext.Select(m_pPalette, true);
    m_windowContext.Realize();
    m_pRememberedMemory = m_memoryContext.Select(m_pPalette, true);
    m_memoryContext.Realize();
}

void PaintPass::Present(Window& window, const Surface& backBuffer) const {
    window.Present(backBuffer, m_pPalette.get());
}

void PaintPass::End() {
    if (m_bEnded)
        return;
    m_bEnded = true;
    if (!m_pPalette)
        return;
    m_memoryContext.Select(std::move(m_pRememberedMemory), false);
    m_windowContext.Select(std::move(m_pRememberedWindow), false);
}

}  // namespace mascot
