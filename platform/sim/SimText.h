// Text on the simulated desktop, drawn in a plain deterministic way of its own: each byte is a
// cell of half the font height in width, white with a black bar whose place depends on the byte,
// so that different texts give different pictures and a test can see where text landed.
#pragma once

#include "platform/TextRenderer.h"

namespace mascot {

class SimLog;
class SimClock;

class SimFont final : public Font {
public:
    explicit SimFont(FontSpec spec) : m_spec(std::move(spec)) {}
    const FontSpec& Spec() const { return m_spec; }

private:
    FontSpec m_spec;
};

class SimTextRenderer final : public TextRenderer {
public:
    // The platform's default font when no script font is selected.
    static constexpr int32_t kDefaultHeight = 12;

    SimTextRenderer(SimLog& log, SimClock& clock) : m_log(log), m_clock(clock) {}

    std::unique_ptr<Font> CreateFont(const FontSpec& spec) override;
    void DrawText(Surface& surface, const Font* font, Point origin, const std::string& text) override;

private:
    SimLog& m_log;
    SimClock& m_clock;
};

}  // namespace mascot
