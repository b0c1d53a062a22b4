#include "app/MainFrame.h"

#include <algorithm>

#include "app/Globals.h"
#include "app/MascotApp.h"
#include "app/Texts.h"
#include "platform/Platform.h"
#include "render/DrawingPass.h"
#include "sound/SoundPlayer.h"

namespace mascot {
namespace {

// Why a run ended without arming the script timer, as the trace names it; null when it armed it.
const char* HaltReason(RunEnd end) {
    switch (end) {
        case RunEnd::Wait:
        case RunEnd::ChangePattern:
            return nullptr;
        case RunEnd::SetPosition:
            return "setposition";
        case RunEnd::Budget:
            return "budget";
        case RunEnd::NoPattern:
        case RunEnd::OutOfPattern:
        case RunEnd::BadJump:
            break;
    }
    return "invalid";
}

}  // namespace

CMainFrame::CMainFrame(CMascotApp& app)
    : m_app(app),
      m_loader(app.GetPlatform().ui, app.GetPlatform().files, app.GetPlatform().resources, app,
               std::string(texts::kAppTitle),
               DataLoaderHooks{[this] {
                                   if (m_script.m_bTimerArmed) {
                                       KillTimer(kTimerScript);
                                       m_script.m_bTimerArmed = false;
                                   }
                               },
                               [this](DataSourceKind kind) {
                                   m_script.m_patternIndex = PatternCount() > 0 ? 0 : kNoPattern;
                                   m_script.m_pCode = PatternCode(0).value_or(std::span<const uint8_t>());
                                   m_script.m_pc = 0;
                                   if (kind == DataSourceKind::File)
                                       m_script.m_clickTarget = kNoClickHandler;
                               }}),
      m_regionSlots([this](uint16_t n) { return ImageDib(n); }) {
    Platform& platform = app.GetPlatform();
    m_pSoundPlayer = std::make_unique<CSoundPlayer>(platform.audio, ContentPorts{platform.files, platform.clock});
    g_pSoundPlayer = m_pSoundPlayer.get();
}

CMainFrame::~CMainFrame() {
    m_app.GetPlatform().audio.Stop();
    g_pSoundPlayer = nullptr;
    m_pSoundPlayer.reset();
    // A data file's buffer goes with the loader, after everything that looks into it.
    m_regionSlots.FreeRegionSlots();
    m_pBackBuffer.reset();
    m_pPalette.reset();
    m_script.m_pFont.reset();
    m_pWnd.reset();
}

int32_t CMainFrame::FrameWidth() const { return Data().FrameWidth().value_or(0); }

int32_t CMainFrame::FrameHeight() const { return Data().FrameHeight().value_or(0); }

std::optional<Dib> CMainFrame::ImageDib(uint16_t n) const {
    const auto image = Data().Image(n);
    if (!image)
        return std::nullopt;
    return ParseDib(image->Dib());
}

bool CMainFrame::CreateMascot() {
    Platform& platform = m_app.GetPlatform();
    // 1. The data.
    const DataSourceKind source = m_app.Config().embeddedData ? DataSourceKind::Embedded : DataSourceKind::File;
    if (!m_loader.LoadForCreation(source))
        return false;
    // 2. The palette from frame image 0; none for an image of more than 8 bits per pixel.
    BuildPalette(ImageDib(0), m_pPalette);
    // 3. The settings, with the pattern table's defaults.
    m_nPosition = m_app.Settings().ReadSettingInt("Position", Data().DefaultPosition().value_or(0));
    m_script.m_patternChoice = m_app.Settings().ReadSettingInt("Pattern", Data().DefaultPattern().value_or(0));
    m_app.m_nFixed = m_app.Settings().ReadSettingInt("Fixed", 0);
    // 4 and 5. Clamp, and make the initial pattern current.
    m_nPosition = std::clamp(m_nPosition, 0, 100);
    SelectInitialPattern(m_script, *this, m_script.m_patternChoice);
    // 6. The title copy (the loader has taken it from the table).
    // 7. The window: hidden, of frame size, never resized.
    m_pWnd = platform.desktop.CreateMascotWindow(
        WindowParams{kMascotWindowTitle, Rect{0, 0, FrameWidth(), FrameHeight()}, true}, *this);
    if (!m_pWnd)
        return false;
    // 8 and 9. The back buffer, created once.
    m_pBackBuffer = std::make_unique<Surface>(FrameWidth(), FrameHeight());
    // 10. The first run, up to the pattern's first wait; the window stays hidden.
    RunDrawingPass();
    // 11. Tracking: the first pass, 100 ms from now, places and shows the window.
    m_bTracking = true;
    m_pWnd->SetTimer(kTimerTrack, kTrackIntervalMs);
    return true;
}

void CMainFrame::RunDrawingPass() {
    DrawingPass pass(*m_pBackBuffer, m_pPalette);
    m_pPass = &pass;
    m_lastRunEnd = RunScript(m_script, *this);
    m_pPass = nullptr;
    if (const char* reason = HaltReason(*m_lastRunEnd); reason && Tracing())
        Trace(MascotEvent{"halt"}.Str("reason", reason));
}

void CMainFrame::OnPaint() {
    if (!m_pWnd || !m_pBackBuffer)
        return;
    PaintPass paint(m_pPalette);
    paint.Present(*m_pWnd, *m_pBackBuffer);
}

void CMainFrame::OnTimer(uint32_t id) {
    if (!m_pWnd)
        return;
    m_pWnd->KillTimer(id);
    m_script.m_bTimerArmed = false;
    if (id == kTimerScript) {
        RunDrawingPass();
        m_pWnd->RepaintNow();
        return;
    }
    // The 100 ms count from the end of each pass; a pass is skipped while tracking is off.
    if (m_bTracking)
        OnMascotTrack();
    m_pWnd->SetTimer(kTimerTrack, kTrackIntervalMs);
}

void CMainFrame::OnCommand(uint32_t id) {
    if (id >= ID_PATTERN_RANDOM && id <= ID_PATTERN_LAST) {
        SelectPattern(id);
        return;
    }
    switch (id) {
        case ID_SETTINGS: OnSettings(); return;
        case ID_NOTHING: return;
        case ID_CLOSE_ALL: OnCloseAll(); return;
        case ID_APP_ABOUT: OnAppAbout(); return;
        default: m_app.OnCommand(id); return;  // the exit command travels on to the application
    }
}

void CMainFrame::SelectPattern(uint32_t n) { mascot::SelectPattern(m_script, *this, static_cast<int32_t>(n)); }

void CMainFrame::OnClose() {
    m_app.m_nSavedPosition = m_nPosition;
    m_app.m_nSavedPattern = m_script.m_patternChoice;
    if (m_pWnd) {
        m_pWnd->Hide();
        m_pWnd->Destroy();
    }
}

bool CMainFrame::OnQueryEndSession() {
    if (m_pWnd)
        m_pWnd->PostClose();
    return true;
}

// The framework answers the end of the session by running the application's exit processing at
// once; the posted close may still come afterwards, and the exit processing then runs again.
void CMainFrame::OnEndSession(bool ending) {
    if (ending)
        m_app.ExitInstance();
}

// --- ScriptHost: the container, the world, the timer ----------------------------------------

uint16_t CMainFrame::Version() const { return Data().Version().value_or(0); }

uint16_t CMainFrame::PatternCount() const { return Data().PatternCount().value_or(0); }

std::optional<std::span<const uint8_t>> CMainFrame::PatternCode(uint16_t index) const {
    return Data().PatternCode(index);
}

Point CMainFrame::CursorInClient() {
    const Point screen = m_app.GetPlatform().desktop.CursorPos();
    return m_pWnd ? m_pWnd->ScreenToClient(screen) : screen;
}

LocalTime CMainFrame::LocalNow() { return m_app.GetPlatform().clock.Now(); }

bool CMainFrame::AutoAnimation() const { return m_app.m_bAutoAnimation != 0; }

void CMainFrame::SetTimer(uint32_t id, uint32_t ms) {
    if (m_pWnd)
        m_pWnd->SetTimer(id, ms);
    if (id == kTimerScript && Tracing())
        Trace(MascotEvent{"wait"}.Int("ms", ms));
}

void CMainFrame::KillTimer(uint32_t id) {
    if (m_pWnd)
        m_pWnd->KillTimer(id);
}

void CMainFrame::FreeRegionSlots() { m_regionSlots.FreeRegionSlots(); }

void CMainFrame::PatternSelected(int32_t index, int32_t choice) {
    if (Tracing())
        Trace(MascotEvent{"pattern"}.Int("index", index).Int("choice", choice));
}

}  // namespace mascot
