// What the core's mascot window implements. The backend calls these on its UI thread, one at a
// time, in the order the platform delivers the events; none of them is ever re-entered by the
// backend itself (the core may call its own handlers directly).
#pragma once

#include <cstdint>

#include "platform/Types.h"

namespace mascot {

class WindowHandler {
public:
    virtual ~WindowHandler() = default;

    // The window must be painted now: the handler presents its back buffer (Window::Present).
    virtual void OnPaint() = 0;
    // Returns true: the background is never erased, the back buffer is the only drawing.
    virtual bool OnEraseBkgnd() = 0;
    // A window timer of this window expired. Timers are one-shot from the core's point of view:
    // the handler kills and re-arms them itself.
    virtual void OnTimer(uint32_t id) = 0;

    // Mouse input in client coordinates; flags are the platform's key flags, passed through.
    virtual void OnLButtonDown(uint32_t flags, Point point) = 0;
    // The second press of a quick double press arrives here instead of OnLButtonDown.
    virtual void OnLButtonDblClk(uint32_t flags, Point point) = 0;
    virtual void OnMouseMove(uint32_t flags, Point point) = 0;
    virtual void OnLButtonUp(uint32_t flags, Point point) = 0;
    virtual void OnRButtonDown(uint32_t flags, Point point) = 0;

    // A command: a popup-menu choice (posted after the menu closed) or one sent by another
    // process. Commands the window does not handle travel on to the application.
    virtual void OnCommand(uint32_t id) = 0;

    // A close request from any sender: the Exit command, close-all, the end of the session or
    // another process. The handler ends by calling Window::Destroy().
    virtual void OnClose() = 0;
    // The session is ending; return true to agree.
    virtual bool OnQueryEndSession() = 0;
    // The session really ends (ending true) or was cancelled (false); sent after the query.
    virtual void OnEndSession(bool ending) = 0;

    // The mascot's private re-track message from another process; the result goes back to it.
    virtual int32_t OnMascotTrack() = 0;

    // Position and frame notifications that a backend may deliver when the window moves. The
    // mascot swallows them: moving the window must never re-lay it out.
    virtual void OnWindowPosChanging() = 0;
    virtual void OnWindowPosChanged() = 0;
    virtual void OnNcCalcSize() = 0;
};

}  // namespace mascot
