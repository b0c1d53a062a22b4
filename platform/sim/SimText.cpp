#include "platform/sim/SimText.h"

#include <algorithm>

#include "platform/sim/SimClock.h"
#include "platform/sim/SimLog.h"
#include "render/Surface.h"

namespace mascot {

std::unique_ptr<Font> SimTextRenderer::CreateFont(const FontSpec& spec) {
    m_log.Add({m_clock.Elapsed(), SimEvent::Kind::Font, WindowId(), spec.pixelHeight, spec.weight, spec.face});
    return std::make_unique<SimFont>(spec);
}

void SimTextRenderer::DrawText(Surface& surface, const Font* font, Point origin, const std::string& text) {
    const auto* simFont = dynamic_cast<const SimFont*>(font);
    const int32_t height = std::clamp(simFont ? simFont->Spec().pixelHeight : kDefaultHeight, 1, 1024);
    const int32_t cellWidth = std::max(1, height / 2);
    m_log.Add({m_clock.Elapsed(), SimEvent::Kind::Text, WindowId(), origin.x, origin.y, text});
    for (size_t i = 0; i < text.size(); ++i) {
        const int64_t left = int64_t{origin.x} + static_cast<int64_t>(i) * cellWidth;
        const int32_t bar = static_cast<unsigned char>(text[i]) % cellWidth;
        for (int32_t dy = 0; dy < height; ++dy)
            for (int32_t dx = 0; dx < cellWidth; ++dx) {
                const int64_t x = left + dx;
                const int64_t y = int64_t{origin.y} + dy;
                if (x < 0 || y < 0 || x >= surface.Width() || y >= surface.Height())
                    continue;
                const bool ink = dx == bar && dy > 0 && dy + 1 < height;
                surface.SetPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), ink ? 0x000000u : 0xFFFFFFu);
            }
    }
}

}  // namespace mascot
