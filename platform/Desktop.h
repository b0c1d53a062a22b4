// The windows of the desktop, as the mascot sees them.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/Types.h"

namespace mascot {

class Window;
class WindowHandler;

struct WindowParams {
    std::string title;        // Shift-JIS bytes
    Rect rect;                // screen rectangle at creation; the window is never resized
    bool mainWindow = true;   // destroying it ends the event loop
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // Creates the mascot's window: a borderless popup tool window (no caption, no taskbar
    // button), hidden, with double-click messages enabled, in the one window class every mascot
    // shares. The handler must outlive the window. Returns null when the platform refuses.
    virtual std::unique_ptr<Window> CreateMascotWindow(const WindowParams& params, WindowHandler& handler) = 0;

    // The window the user works in, or no window.
    virtual WindowId ForegroundWindow() = 0;
    // The taskbar, or no window.
    virtual WindowId Taskbar() = 0;
    // The window's rectangle in screen pixels; nothing for a window that does not exist.
    virtual std::optional<Rect> WindowRect(WindowId window) = 0;
    // The whole title as bytes (empty for none or an unknown window).
    virtual std::string WindowTitle(WindowId window) = 0;
    // The class name as bytes, at most 259 of them (empty for an unknown window).
    virtual std::string WindowClass(WindowId window) = 0;
    virtual bool IsWindowVisible(WindowId window) = 0;
    // The next top-level window below `window` in z-order, or no window.
    virtual WindowId NextWindowBelow(WindowId window) = 0;
    // Brings a top-level window to the top of its band.
    virtual void BringToTop(WindowId window) = 0;
    // Posts a close request to any top-level window, ours or another process's.
    virtual void PostClose(WindowId window) = 0;
    // The cursor in screen pixels.
    virtual Point CursorPos() = 0;
};

}  // namespace mascot
