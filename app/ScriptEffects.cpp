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

uint16_t CMainFrame::MakeShape(uint8_t kind, uint16_t image) { return m_regionSlots.AllocRegionSlot(kind, image); }

void CMainFrame::SetShape(uint16_t slot) {
    if (m_pWnd)
        m_regionSlots.ApplyRegionSlot(slot, *m_pWnd);
}

void CMainFrame::Draw(uint16_t frame) {
    if (!m_pBackBuffer)
        return;
    const auto image = Data().Image(frame);
    const auto dib = ImageDib(frame);
    if (image && dib)
        DrawDibAt(*m_pBackBuffer, image->X(), image->Y(), *dib);
}

void CMainFrame::Palette(uint8_t kind, uint16_t image) {
    if (kind != RegionSlots::kKindBuild)
        return;
    if (m_pPass) {
        m_pPass->ReplacePalette(ImageDib(image));
        return;
    }
    BuildPalette(ImageDib(image), m_pPalette);
}

void CMainFrame::Text(uint16_t x, uint16_t y, std::string_view text) {
    if (m_pBackBuffer)
        m_app.GetPlatform().text.DrawText(*m_pBackBuffer, m_script.m_pFont.get(), Point{x, y}, std::string(text));
}

std::unique_ptr<Font> CMainFrame::CreateScriptFont(uint16_t height, std::string_view face) {
    FontSpec spec;
    spec.face = std::string(face);
    spec.pixelHeight = height;
    spec.weight = 700;
    spec.charset = 128;
    return m_app.GetPlatform().text.CreateFont(spec);
}

void CMainFrame::Launch(std::string_view commandLine) { m_app.GetPlatform().launcher.Launch(std::string(commandLine)); }

uint16_t CMainFrame::ReadSetting(std::string_view key, uint16_t fallback) {
    return static_cast<uint16_t>(m_app.Settings().ReadSettingInt(std::string(key), fallback));
}

void CMainFrame::WriteProfile(std::string_view key, uint16_t value) {
    m_app.WriteProfileInt(m_app.m_strTitle, std::string(key), value);
}

void CMainFrame::PlayFile(std::string_view name) { mascot::PlayFile(m_app.GetPlatform().audio, std::string(name)); }

void CMainFrame::PlaySound(uint16_t index) { mascot::PlaySound(g_pSoundPlayer, index); }

}  // namespace mascot
