// What the simulated desktop was asked to do, in order, with the virtual time of each request.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace mascot {

struct SimEvent {
    enum class Kind {
        SetTimer,      // a = timer id, b = milliseconds
        KillTimer,     // a = timer id
        TimerFired,    // a = timer id
        Hide,
        Move,          // a = x, b = y: moved without showing
        Show,          // a = x, b = y: moved (or left) and shown
        Raise,         // put at the top of the topmost band without moving
        SetShape,      // a = number of rectangles of the new shape
        Present,       // the back buffer was copied to the window
        MoveLoop,      // a = x travel, b = y travel
        Menu,          // a popup menu was shown; text = its items, one a line
        PostClose,     // a close request was posted to `window`
        Close,         // a close request reached `window`
        Destroy,
        Command,       // a = command id
        MascotTrack,   // a = the result
        LeftPress,     // a = x, b = y, client
        DoubleClick,   // a = x, b = y, client
        MouseMove,     // a = x, b = y, client
        LeftRelease,   // a = x, b = y, client
        RightPress,    // a = x, b = y, client
        BringToTop,
        EndSession,    // a = 1 when every window agreed to end
        MessageBox,    // text = the message (Shift-JIS), a = the answer (MessageBoxResult)
        OpenFile,      // text = the chosen path, a = 1 when one was chosen
        Dialog,        // a = template id, b = the result
        Font,          // a = pixel height, b = weight, text = face
        Text,          // a = x, b = y, text = the bytes drawn
        Launch,        // text = the command line
        Profile,       // a = value, text = "section\nkey"
    };

    uint64_t time = 0;
    Kind kind = Kind::Hide;
    WindowId window;
    int64_t a = 0;
    int64_t b = 0;
    std::string text;
};

class SimLog {
public:
    void Add(SimEvent event) {
        if (m_observer)
            m_observer(event);
        m_events.push_back(std::move(event));
    }
    const std::vector<SimEvent>& Events() const { return m_events; }
    std::vector<SimEvent> Of(SimEvent::Kind kind) const {
        std::vector<SimEvent> out;
        for (const SimEvent& event : m_events)
            if (event.kind == kind)
                out.push_back(event);
        return out;
    }
    size_t Count(SimEvent::Kind kind) const { return Of(kind).size(); }
    void Clear() { m_events.clear(); }
    // Called with every event as it is added (kqtool run streams them).
    void SetObserver(std::function<void(const SimEvent&)> observer) { m_observer = std::move(observer); }

private:
    std::vector<SimEvent> m_events;
    std::function<void(const SimEvent&)> m_observer;
};

}  // namespace mascot
