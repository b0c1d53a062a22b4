// The mascot's own window, created hidden by the Desktop. All calls come from the UI thread.
#pragma once

#include <cstdint>

#include "platform/Menu.h"
#include "platform/Types.h"

namespace mascot {

class Region;
class Surface;
class Palette;

class Window {
public:
    virtual ~Window() = default;

    virtual WindowId Id() const = 0;

    // Arms timer `id` to expire after `ms` milliseconds and every `ms` after that until it is
    // killed. Arming an armed id replaces it (the period restarts now). Expiries reach
    // WindowHandler::OnTimer, also while a nested loop (menu, dialog, move loop) runs.
    virtual void SetTimer(uint32_t id, uint32_t ms) = 0;
    // Disarms timer `id`; an expiry already due is dropped. Unknown ids are ignored.
    virtual void KillTimer(uint32_t id) = 0;

    virtual bool IsVisible() const = 0;
    virtual void Hide() = 0;
    // Moves the window's top-left corner to `pos` (screen pixels) without resizing or
    // activating it, and puts it at the top of the topmost band; with `show` it also shows it.
    virtual void PlaceTopMost(Point pos, bool show) = 0;
    // Puts the window at the top of the topmost band without moving or resizing it.
    virtual void RaiseTopMost() = 0;
    // The window's rectangle in screen pixels.
    virtual Rect ScreenRect() const = 0;
    virtual Point ScreenToClient(Point screen) const = 0;

    // Gives the window a new shape; the window keeps its own copy from then on and redraws.
    virtual void SetShape(const Region& shape) = 0;
    // Invalidates the whole window without erasing and paints it before returning: the backend
    // calls WindowHandler::OnPaint synchronously.
    virtual void RepaintNow() = 0;
    // Called from OnPaint: copies the whole surface to the window at (0, 0). `palette` (may be
    // null) is the mascot palette, realised as a background palette on displays that have
    // palettes; true-colour displays ignore it.
    virtual void Present(const Surface& backBuffer, const Palette* palette) = 0;

    // Runs the platform's modal move loop, which drags the window with the mouse from the press
    // at client point `start` until the button is released. Timers keep firing meanwhile.
    virtual void RunMoveLoop(Point start) = 0;
    // Shows `menu` at `screen` (left and top aligned, right button tracks) and returns when it
    // closes. A chosen item's id is then posted to this window and reaches
    // WindowHandler::OnCommand after this call has returned. Timers keep firing meanwhile.
    virtual void TrackPopupMenu(const Menu& menu, Point screen) = 0;

    // Posts a close request to this window (reaches WindowHandler::OnClose later).
    virtual void PostClose() = 0;
    // Destroys the window; its timers end with it. Destroying the main window ends the event
    // loop. The handler gets no further calls afterwards.
    virtual void Destroy() = 0;
    virtual bool IsDestroyed() const = 0;
};

}  // namespace mascot
