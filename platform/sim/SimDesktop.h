// The simulated desktop: a deterministic virtual desktop with its own clock, windows, z-order,
// foreground window, taskbar, cursor and message loop. Tests and `kqtool run` script what a user
// and other programs do at given virtual times, run the loop up to a time and read what happened.
//
// Checklist of what it does in place of a real desktop:
//  [X] Windows: rectangles, titles, classes, visibility, z-order with a topmost band
//  [X] Timers per window and id, re-arming replaces, expiries in virtual time order
//  [X] Posted messages before input, input before timers, as a platform's queue orders them
//  [X] Nested loops (move loop, popup menu, dialogs, message boxes) that let virtual time pass,
//      so timers fire inside them
//  [X] Input: presses, moves, releases, double clicks by time and distance, right presses
//  [~] Move loop: moves the window by the scripted cursor travel; no real dragging
//  [~] Painting: Present keeps a copy of the last frame and shape instead of showing them
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/EventLoop.h"
#include "platform/Menu.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimLog.h"

namespace mascot {

class SimWindow;

// The window class the simulated desktop gives every mascot window.
inline constexpr const char* kSimMascotClass = "MascotFrameWnd";
inline constexpr const char* kSimTaskbarClass = "Shell_TrayWnd";

class SimDesktop final : public Desktop, public EventLoop {
public:
    explicit SimDesktop(SimClock& clock);
    ~SimDesktop() override;

    SimClock& Clock() { return m_clock; }
    SimLog& Log() { return m_log; }
    uint64_t Now() const { return m_clock.Elapsed(); }

    // --- Scene set-up -------------------------------------------------------------------------
    // Adds an ordinary top-level window at the top of the non-topmost band.
    WindowId AddWindow(const Rect& rect, const std::string& title, const std::string& cls, bool visible = true);
    // Adds the taskbar (class "Shell_TrayWnd"), topmost.
    WindowId AddTaskbar(const Rect& rect);
    void RemoveWindow(WindowId window);
    void MoveWindow(WindowId window, const Rect& rect);
    void SetWindowVisible(WindowId window, bool visible);
    void SetWindowTitle(WindowId window, const std::string& title);
    void SetForeground(WindowId window);  // no window: nothing in the foreground
    void SetCursor(Point screen) { m_cursor = screen; }
    bool Exists(WindowId window) const;
    // Top to bottom.
    std::vector<WindowId> ZOrder() const;

    // --- Scripted events ----------------------------------------------------------------------
    // Runs `action` at virtual time `at` (or now, if that has passed), as an input event.
    void ScheduleAt(uint64_t at, std::function<void()> action);
    // Mouse input on a mascot window, at a client point; the cursor follows.
    void LeftPress(WindowId window, Point client);
    void MouseMove(WindowId window, Point client);
    void LeftRelease(WindowId window, Point client);
    void RightPress(WindowId window, Point client);
    // What another process can send a mascot window.
    void PostCommand(WindowId window, uint32_t id);
    int32_t SendMascotTrack(WindowId window);
    // The user's session ends: the query, then (when every window agreed) the end notice.
    void EndSession();

    // How the next nested loops go. Each script is used once, in order; without one a loop
    // ends at once (the menu dismissed, the button already released).
    struct MoveLoopScript {
        uint64_t durationMs = 0;
        Point cursorTravel;  // the cursor and the window move by this much
    };
    void ScriptMoveLoop(const MoveLoopScript& script) { m_moveScripts.push_back(script); }
    struct MenuScript {
        uint64_t delayMs = 0;
        std::optional<uint32_t> choice;  // nothing: dismissed
    };
    void ScriptMenu(const MenuScript& script) { m_menuScripts.push_back(script); }

    // --- Running ------------------------------------------------------------------------------
    // Delivers everything due up to virtual time `until` (inclusive), then sets the clock there.
    // Stops early when the main window is destroyed.
    void RunUntil(uint64_t until);
    void RunFor(uint64_t ms) { RunUntil(Now() + ms); }
    // EventLoop: runs up to the run limit; if the main window still exists then, closes it (as
    // the user would) and runs on until it is destroyed. Returns 0.
    int Run() override;
    void SetRunLimit(uint64_t until) { m_runLimit = until; }
    bool MainWindowDestroyed() const { return m_mainDestroyed; }

    // --- Desktop ------------------------------------------------------------------------------
    std::unique_ptr<Window> CreateMascotWindow(const WindowParams& params, WindowHandler& handler) override;
    WindowId ForegroundWindow() override { return m_foreground; }
    WindowId Taskbar() override { return m_taskbar; }
    std::optional<Rect> WindowRect(WindowId window) override;
    std::string WindowTitle(WindowId window) override;
    std::string WindowClass(WindowId window) override;
    bool IsWindowVisible(WindowId window) override;
    WindowId NextWindowBelow(WindowId window) override;
    void BringToTop(WindowId window) override;
    void PostClose(WindowId window) override;
    Point CursorPos() override { return m_cursor; }

    // --- Used by SimWindow and SimUi ----------------------------------------------------------
    void SetTimer(WindowId window, uint32_t id, uint32_t ms);
    void KillTimer(WindowId window, uint32_t id);
    void PlaceTopMost(WindowId window, std::optional<Point> pos, bool show);
    void PostToWindow(WindowId window, std::function<void()> message);
    void DestroyWindow(WindowId window);
    // A nested loop: delivers everything due during the next `ms` of virtual time.
    void RunNested(uint64_t ms);
    std::optional<MoveLoopScript> NextMoveScript();
    std::optional<MenuScript> NextMenuScript();
    SimWindow* MascotWindow(WindowId window);
    // A plain window for a dialog while it runs, on top of everything.
    WindowId OpenDialogWindow(const std::string& title);
    void CloseDialogWindow(WindowId window);

private:
    struct WindowRecord {
        WindowId id;
        Rect rect;
        std::string title;
        std::string cls;
        bool visible = false;
        bool topmost = false;
        SimWindow* mascot = nullptr;  // set for mascot windows
    };
    struct Timer {
        uint64_t due = 0;
        uint32_t period = 0;
        uint64_t sequence = 0;  // arming order breaks ties
    };
    struct Scheduled {
        uint64_t at = 0;
        uint64_t sequence = 0;
        std::function<void()> action;
    };

    WindowRecord* Find(WindowId window);
    const WindowRecord* Find(WindowId window) const;
    WindowId NewId();
    void Raise(WindowId window);
    bool DeliverOne(uint64_t until);
    void DeliverPosted();
    std::optional<uint64_t> NextDue() const;

    SimClock& m_clock;
    SimLog m_log;
    uint64_t m_nextId = 0x100;
    uint64_t m_sequence = 0;
    std::vector<WindowRecord> m_windows;  // top to bottom
    WindowId m_foreground;
    WindowId m_taskbar;
    WindowId m_mainWindow;
    bool m_mainDestroyed = false;
    Point m_cursor;
    std::map<std::pair<uint64_t, uint32_t>, Timer> m_timers;
    std::vector<Scheduled> m_scheduled;
    std::deque<std::pair<WindowId, std::function<void()>>> m_posted;
    std::deque<MoveLoopScript> m_moveScripts;
    std::deque<MenuScript> m_menuScripts;
    uint64_t m_runLimit = 60'000;
    int m_nesting = 0;
    // Double-click detection per window: the last press's time and place.
    struct LastPress {
        uint64_t time = 0;
        Point point;
        bool valid = false;
    };
    std::map<uint64_t, LastPress> m_lastPress;
};

}  // namespace mascot
