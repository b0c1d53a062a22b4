// The mascot window: one small borderless top-level window of exactly one frame's size. It owns
// every piece of the running mascot's state: the container and its views, the script state,
// the placement state, the palette, the back buffer, the region slots, the script font and the
// sound player. Two window timers drive it: the script timer resumes the pattern, the tracking
// timer re-places the window on its target ten times a second.
//
// The handlers live in several files: creation, painting, timers and closing here; the script
// effects in app/ScriptEffects.cpp; tracking and the placement users in placement/Tracking.cpp;
// mouse, drag, menu and dialogs in placement/.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/MascotTrace.h"
#include "data/DataLoader.h"
#include "platform/Types.h"
#include "platform/Window.h"
#include "platform/WindowHandler.h"
#include "render/Dib.h"
#include "render/Palette.h"
#include "render/RegionSlots.h"
#include "render/Surface.h"
#include "script/Interpreter.h"
#include "script/ScriptHost.h"
#include "script/ScriptState.h"

namespace mascot {

class CMascotApp;
class CSoundPlayer;
class DrawingPass;

// The title every mascot window carries, the same in every build: mascots recognise one another
// by it.
inline constexpr const char* kMascotWindowTitle = "ZUPO_MASCOT";
// The companion program's window, which the mascot leaves alone.
inline constexpr const char* kCompanionTitle = "Fegli";
inline constexpr const char* kCompanionClass = "FEGLI";

// Command ids of the mascot window.
inline constexpr uint32_t ID_PATTERN_RANDOM = 32780;
inline constexpr uint32_t ID_PATTERN_FIRST = 32781;
inline constexpr uint32_t ID_PATTERN_LAST = 32796;
inline constexpr uint32_t ID_SETTINGS = 32800;
inline constexpr uint32_t ID_NOTHING = 32801;
inline constexpr uint32_t ID_CLOSE_ALL = 32802;

inline constexpr uint32_t kTrackIntervalMs = 100;

class CMainFrame final : public WindowHandler, public ScriptHost {
public:
    // Creates the sound player (kept in g_pSoundPlayer); no platform window yet.
    explicit CMainFrame(CMascotApp& app);
    // Stops the sound and releases the sound player, the region slots, the back buffer, the
    // palette, the script font and a data file's buffer, in that order.
    ~CMainFrame() override;
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    // Loads the data, builds the palette, reads the settings, chooses the pattern, creates the
    // hidden window and the back buffer, runs the pattern to its first wait and starts the
    // tracking timer. False when no usable data could be loaded.
    bool CreateMascot();

    // --- WindowHandler ---
    void OnPaint() override;
    bool OnEraseBkgnd() override { return true; }
    void OnTimer(uint32_t id) override;
    void OnLButtonDown(uint32_t flags, Point point) override;
    void OnLButtonDblClk(uint32_t flags, Point point) override;
    void OnMouseMove(uint32_t flags, Point point) override;
    void OnLButtonUp(uint32_t flags, Point point) override;
    void OnRButtonDown(uint32_t flags, Point point) override;
    void OnCommand(uint32_t id) override;
    void OnClose() override;
    bool OnQueryEndSession() override;
    void OnEndSession(bool ending) override;
    int32_t OnMascotTrack() override;
    void OnWindowPosChanging() override {}
    void OnWindowPosChanged() override {}
    void OnNcCalcSize() override {}

    // --- Commands ---
    void SelectPattern(uint32_t n);
    void OnSettings();
    void OnAppAbout();
    void OnCloseAll();

    // --- ScriptHost: the container, the world, the timer ---
    uint16_t Version() const override;
    uint16_t PatternCount() const override;
    std::optional<std::span<const uint8_t>> PatternCode(uint16_t index) const override;
    Point CursorInClient() override;
    LocalTime LocalNow() override;
    bool AutoAnimation() const override;
    int32_t Position() const override { return m_nPosition; }
    void SetTimer(uint32_t id, uint32_t ms) override;
    void KillTimer(uint32_t id) override;
    void FreeRegionSlots() override;

    // --- ScriptHost: the instruction effects ---
    uint16_t MakeShape(uint8_t kind, uint16_t image) override;
    void SetShape(uint16_t slot) override;
    void Draw(uint16_t frame) override;
    void PlayFile(std::string_view name) override;
    void PlaySound(uint16_t index) override;
    void SetPosition(uint16_t percent) override;
    void SetHeight(uint16_t height) override;
    void Launch(std::string_view commandLine) override;
    void Text(uint16_t x, uint16_t y, std::string_view text) override;
    std::unique_ptr<Font> CreateScriptFont(uint16_t height, std::string_view face) override;
    uint16_t ReadSetting(std::string_view key, uint16_t fallback) override;
    void WriteProfile(std::string_view key, uint16_t value) override;
    void Palette(uint8_t kind, uint16_t image) override;
    void PatternSelected(int32_t index, int32_t choice) override;

    // --- For the application, the tools and the tests ---
    Window* GetWindow() { return m_pWnd.get(); }
    const MascotData& Data() const { return m_loader.Data(); }
    const Surface* BackBuffer() const { return m_pBackBuffer.get(); }
    const PalettePtr& CurrentPalette() const { return m_pPalette; }
    const RegionSlots& Slots() const { return m_regionSlots; }
    ScriptState& Script() { return m_script; }
    const ScriptState& Script() const { return m_script; }
    // How the last run ended (a fault halts the pattern); nothing before the first run.
    std::optional<RunEnd> LastRunEnd() const { return m_lastRunEnd; }
    // Frame image n as a bitmap, or nothing when there is none or it cannot be read.
    std::optional<Dib> ImageDib(uint16_t n) const;
    int32_t FrameWidth() const;
    int32_t FrameHeight() const;
    // Who is told what the mascot does (see app/MascotTrace.h); nobody by default.
    void SetTraceObserver(MascotObserver observer) { m_trace = std::move(observer); }

    // The placement state.
    int32_t m_nPosition = 0;
    int32_t m_nLastX = -1;
    int32_t m_nLastY = -1;
    int32_t m_nTargetLeft = 0;
    int32_t m_nTargetRight = 0;
    // The last target's top edge: SetHeight places against it when there is no foreground window.
    int32_t m_nTargetTop = 0;
    bool m_bTracking = false;
    // The mouse state.
    bool m_bDragArmed = false;
    Point m_ptPress;

private:
    // One drawing pass on the back buffer around a script run.
    void RunDrawingPass();
    // The placement of a tracking pass on a target with left, top and right edges.
    void PlaceOn(int32_t left, int32_t top, int32_t right);
    void HideIfVisible();
    // Tells the observer, if there is one.
    bool Tracing() const { return static_cast<bool>(m_trace); }
    void Trace(const MascotEvent& event) const {
        if (m_trace)
            m_trace(event);
    }

    CMascotApp& m_app;
    DataLoader m_loader;
    std::unique_ptr<Window> m_pWnd;
    ScriptState m_script;
    PalettePtr m_pPalette;
    std::unique_ptr<Surface> m_pBackBuffer;
    RegionSlots m_regionSlots;
    std::unique_ptr<CSoundPlayer> m_pSoundPlayer;
    DrawingPass* m_pPass = nullptr;  // the drawing pass a run draws through, while it runs
    std::optional<RunEnd> m_lastRunEnd;
    MascotObserver m_trace;
};

}  // namespace mascot
