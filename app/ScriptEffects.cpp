// The script instructions that act outside the interpreter: shape, drawing, palette, text and
// font, sound, program launch and settings.
#include <string>

#include "app/MainFrame.h"
#include "app/Globals.h"
#include "app/MascotApp.h"
#include "platform/Platform.h"
#include "render/DrawDib.h"
#include "render/DrawingPass.h"
#include "sound/SoundEffects.h"

namespace mascot {

uint16_t CMainFrame::MakeShape(uint8_t kind, uint16_t image) {
    const uint16_t slot = m_regionSlots.AllocRegionSlot(kind, image);
    if (Tracing())
        Trace(MascotEvent{"slot"}.Int("kind", kind).Int("image", image).Int("slot", slot));
    return slot;
}

void CMainFrame::SetShape(uint16_t slot) {
    if (Tracing())
        Trace(MascotEvent{"shape"}.Int("slot", slot));
    if (m_pWnd)
        m_regionSlots.ApplyRegionSlot(slot, *m_pWnd);
}

void CMainFrame::Draw(uint16_t frame) {
    if (Tracing())
        Trace(MascotEvent{"draw"}.Int("frame", frame));
    if (!m_pBackBuffer)
        return;
    const auto image = Data().Image(frame);
    if (!image)
        return;
    if (const auto dib = ParseDib(image->Dib()))
        DrawDibAt(*m_pBackBuffer, image->X(), image->Y(), *dib);
}

void CMainFrame::Palette(uint8_t kind, uint16_t image) {
    if (kind == RegionSlots::kKindBuild) {
        if (m_pPass)
            m_pPass->ReplacePalette(ImageDib(image));
        else
            BuildPalette(ImageDib(image), m_pPalette);
    }
    if (Tracing()) {
        const int64_t entries = m_pPalette ? static_cast<int64_t>(m_pPalette->entries.size()) : 0;
        Trace(MascotEvent{"palette"}.Int("kind", kind).Int("image", image).Int("entries", entries));
    }
}

void CMainFrame::Text(uint16_t x, uint16_t y, std::string_view text) {
    if (Tracing())
        Trace(MascotEvent{"text"}.Int("x", x).Int("y", y).Str("text", std::string(text)));
    if (m_pBackBuffer)
        m_app.GetPlatform().text.DrawText(*m_pBackBuffer, m_script.m_pFont.get(), Point{x, y}, std::string(text));
}

std::unique_ptr<Font> CMainFrame::CreateScriptFont(uint16_t height, std::string_view face) {
    if (Tracing())
        Trace(MascotEvent{"font"}.Int("height", height).Str("face", std::string(face)));
    FontSpec spec;
    spec.face = std::string(face);
    spec.pixelHeight = height;
    spec.weight = 700;
    spec.charset = 128;
    return m_app.GetPlatform().text.CreateFont(spec);
}

void CMainFrame::Launch(std::string_view commandLine) {
    if (Tracing())
        Trace(MascotEvent{"launch"}.Str("command", std::string(commandLine)));
    m_app.GetPlatform().launcher.Launch(std::string(commandLine));
}

uint16_t CMainFrame::ReadSetting(std::string_view key, uint16_t fallback) {
    const auto value = static_cast<uint16_t>(m_app.Settings().ReadSettingInt(std::string(key), fallback));
    if (Tracing())
        Trace(MascotEvent{"setting"}.Str("key", std::string(key)).Int("value", value));
    return value;
}

void CMainFrame::WriteProfile(std::string_view key, uint16_t value) {
    if (Tracing())
        Trace(MascotEvent{"profile"}
                  .Str("section", m_app.m_strTitle)
                  .Str("key", std::string(key))
                  .Int("value", value));
    m_app.WriteProfileInt(m_app.m_strTitle, std::string(key), value);
}

void CMainFrame::PlayFile(std::string_view name) {
    const bool played = mascot::PlayFile(m_app.GetPlatform().audio, std::string(name));
    if (Tracing())
        Trace(MascotEvent{"playfile"}.Str("name", std::string(name)).Int("played", played ? 1 : 0));
}

void CMainFrame::PlaySound(uint16_t index) {
    const bool played = mascot::PlaySound(g_pSoundPlayer, index);
    if (Tracing()) {
        const std::string name = index < kSoundNames.size() ? std::string(kSoundNames[index]) : std::string();
        Trace(MascotEvent{"sound"}.Str("name", name).Int("played", played ? 1 : 0).Int("index", index));
    }
}

}  // namespace mascot
