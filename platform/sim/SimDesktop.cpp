#include "platform/sim/SimDesktop.h"

#include <algorithm>
#include <cstdlib>

#include "platform/WindowHandler.h"
#include "platform/sim/SimWindow.h"

namespace mascot {
namespace {

// Platforms raise shorter timer periods to a minimum; it also keeps a zero period from
// stopping virtual time.
constexpr uint32_t kMinimumTimerMs = 10;
// A second press within this time and distance of the first is a double click.
constexpr uint64_t kDoubleClickMs = 500;
constexpr int32_t kDoubleClickSlop = 2;
// After the run limit the simulated user closes the mascot; this bounds what follows.
constexpr uint64_t kCloseGraceMs = 10'000;

}  // namespace

SimDesktop::SimDesktop(SimClock& clock) : m_clock(clock) {}

SimDesktop::~SimDesktop() = default;

WindowId SimDesktop::NewId() { return WindowId(m_nextId++); }

SimDesktop::WindowRecord* SimDesktop::Find(WindowId window) {
    for (WindowRecord& record : m_windows)
        if (record.id == window)
            return &record;
    return nullptr;
}

const SimDesktop::WindowRecord* SimDesktop::Find(WindowId window) const {
    for (const WindowRecord& record : m_windows)
        if (record.id == window)
            return &record;
    return nullptr;
}

bool SimDesktop::Exists(WindowId window) const { return Find(window) != nullptr; }

std::vector<WindowId> SimDesktop::ZOrder() const {
    std::vector<WindowId> order;
    for (const WindowRecord& record : m_windows)
        order.push_back(record.id);
    return order;
}

// Moves a window to the top of its band: topmost windows stay above all others.
void SimDesktop::Raise(WindowId window) {
    auto it = std::find_if(m_windows.begin(), m_windows.end(), [&](const WindowRecord& r) { return r.id == window; });
    if (it == m_windows.end())
        return;
    WindowRecord record = *it;
    m_windows.erase(it);
    auto at = record.topmost ? m_windows.begin()
                             : std::find_if(m_windows.begin(), m_windows.end(),
                                            [](const WindowRecord& r) { return !r.topmost; });
    m_windows.insert(at, record);
}

WindowId SimDesktop::AddWindow(const Rect& rect, const std::string& title, const std::string& cls, bool visible) {
    WindowRecord record;
    record.id = NewId();
    record.rect = rect;
    record.title = title;
    record.cls = cls;
    record.visible = visible;
    m_windows.push_back(record);
    Raise(record.id);
    return record.id;
}

WindowId SimDesktop::AddTaskbar(const Rect& rect) {
    const WindowId id = AddWindow(rect, "", kSimTaskbarClass, true);
    Find(id)->topmost = true;
    Raise(id);
    m_taskbar = id;
    return id;
}

void SimDesktop::RemoveWindow(WindowId window) {
    std::erase_if(m_windows, [&](const WindowRecord& r) { return r.id == window; });
    if (m_foreground == window)
        m_foreground = WindowId();
    if (m_taskbar == window)
        m_taskbar = WindowId();
}

void SimDesktop::MoveWindow(WindowId window, const Rect& rect) {
    if (WindowRecord* record = Find(window))
        record->rect = rect;
}

void SimDesktop::SetWindowVisible(WindowId window, bool visible) {
    if (WindowRecord* record = Find(window))
        record->visible = visible;
}

void SimDesktop::SetWindowTitle(WindowId window, const std::string& title) {
    if (WindowRecord* record = Find(window))
        record->title = title;
}

void SimDesktop::SetForeground(WindowId window) {
    m_foreground = window;
    if (window)
        Raise(window);
}

// --- Scripted events ------------------------------------------------------------------------

void SimDesktop::ScheduleAt(uint64_t at, std::function<void()> action) {
    m_scheduled.push_back(Scheduled{std::max(at, Now()), m_sequence++, std::move(action)});
}

void SimDesktop::LeftPress(WindowId window, Point client) {
    SimWindow* mascot = MascotWindow(window);
    if (!mascot)
        return;
    const Rect rect = mascot->ScreenRect();
    m_cursor = Point{rect.left + client.x, rect.top + client.y};
    LastPress& last = m_lastPress[window.Value()];
    const bool doubleClick = last.valid && Now() - last.time <= kDoubleClickMs &&
                             std::abs(client.x - last.point.x) <= kDoubleClickSlop &&
                             std::abs(client.y - last.point.y) <= kDoubleClickSlop;
    if (doubleClick) {
        last.valid = false;
        m_log.Add({Now(), SimEvent::Kind::DoubleClick, window, client.x, client.y, {}});
        mascot->Handler().OnLButtonDblClk(0, client);
        return;
    }
    last = LastPress{Now(), client, true};
    m_log.Add({Now(), SimEvent::Kind::LeftPress, window, client.x, client.y, {}});
    mascot->Handler().OnLButtonDown(1, client);
}

void SimDesktop::MouseMove(WindowId window, Point client) {
    if (SimWindow* mascot = MascotWindow(window)) {
        const Rect rect = mascot->ScreenRect();
        m_cursor = Point{rect.left + client.x, rect.top + client.y};
        m_log.Add({Now(), SimEvent::Kind::MouseMove, window, client.x, client.y, {}});
        mascot->Handler().OnMouseMove(1, client);
    }
}

void SimDesktop::LeftRelease(WindowId window, Point client) {
    if (SimWindow* mascot = MascotWindow(window)) {
        const Rect rect = mascot->ScreenRect();
        m_cursor = Point{rect.left + client.x, rect.top + client.y};
        m_log.Add({Now(), SimEvent::Kind::LeftRelease, window, client.x, client.y, {}});
        mascot->Handler().OnLButtonUp(0, client);
    }
}

void SimDesktop::RightPress(WindowId window, Point client) {
    if (SimWindow* mascot = MascotWindow(window)) {
        const Rect rect = mascot->ScreenRect();
        m_cursor = Point{rect.left + client.x, rect.top + client.y};
        m_log.Add({Now(), SimEvent::Kind::RightPress, window, client.x, client.y, {}});
        mascot->Handler().OnRButtonDown(2, client);
    }
}

void SimDesktop::PostCommand(WindowId window, uint32_t id) {
    PostToWindow(window, [this, window, id] {
        if (SimWindow* mascot = MascotWindow(window)) {
            m_log.Add({Now(), SimEvent::Kind::Command, window, id, 0, {}});
            mascot->Handler().OnCommand(id);
        }
    });
}

int32_t SimDesktop::SendMascotTrack(WindowId window) {
    SimWindow* mascot = MascotWindow(window);
    if (!mascot)
        return 0;
    const int32_t result = mascot->Handler().OnMascotTrack();
    m_log.Add({Now(), SimEvent::Kind::MascotTrack, window, result, 0, {}});
    return result;
}

void SimDesktop::EndSession() {
    std::vector<WindowId> mascots;
    for (const WindowRecord& record : m_windows)
        if (record.mascot)
            mascots.push_back(record.id);
    bool agreed = true;
    for (WindowId id : mascots)
        if (SimWindow* mascot = MascotWindow(id))
            agreed = mascot->Handler().OnQueryEndSession() && agreed;
    m_log.Add({Now(), SimEvent::Kind::EndSession, WindowId(), agreed ? 1 : 0, 0, {}});
    for (WindowId id : mascots)
        if (SimWindow* mascot = MascotWindow(id))
            mascot->Handler().OnEndSession(agreed);
}

// --- Running --------------------------------------------------------------------------------

std::optional<uint64_t> SimDesktop::NextDue() const {
    std::optional<uint64_t> due;
    for (const Scheduled& s : m_scheduled)
        if (!due || s.at < *due)
            due = s.at;
    for (const auto& [key, timer] : m_timers)
        if (!due || timer.due < *due)
            due = timer.due;
    return due;
}

void SimDesktop::DeliverPosted() {
    auto [window, message] = std::move(m_posted.front());
    m_posted.pop_front();
    message();
}

// One step of the message loop: posted messages first, then input that is due, then the
// earliest timer, as a platform's queue orders them.
bool SimDesktop::DeliverOne(uint64_t until) {
    if (!m_posted.empty()) {
        DeliverPosted();
        return true;
    }
    const std::optional<uint64_t> due = NextDue();
    if (!due || *due > until)
        return false;
    m_clock.AdvanceTo(*due);

    auto input = std::min_element(m_scheduled.begin(), m_scheduled.end(), [](const Scheduled& a, const Scheduled& b) {
        return a.at != b.at ? a.at < b.at : a.sequence < b.sequence;
    });
    if (input != m_scheduled.end() && input->at <= Now()) {
        std::function<void()> action = std::move(input->action);
        m_scheduled.erase(input);
        action();
        return true;
    }

    auto timer = std::min_element(m_timers.begin(), m_timers.end(), [](const auto& a, const auto& b) {
        return a.second.due != b.second.due ? a.second.due < b.second.due : a.second.sequence < b.second.sequence;
    });
    const WindowId window(timer->first.first);
    const uint32_t id = timer->first.second;
    // A window timer keeps expiring every period until it is killed.
    timer->second.due = Now() + timer->second.period;
    timer->second.sequence = m_sequence++;
    if (SimWindow* mascot = MascotWindow(window)) {
        m_log.Add({Now(), SimEvent::Kind::TimerFired, window, id, 0, {}});
        mascot->Handler().OnTimer(id);
    }
    return true;
}

void SimDesktop::RunUntil(uint64_t until) {
    while (!m_mainDestroyed && DeliverOne(until)) {
    }
    if (!m_mainDestroyed)
        m_clock.AdvanceTo(until);
}

void SimDesktop::RunNested(uint64_t ms) {
    ++m_nesting;
    RunUntil(Now() + ms);
    --m_nesting;
}

int SimDesktop::Run() {
    if (!m_mainWindow || m_mainDestroyed)
        return 0;
    RunUntil(m_runLimit);
    if (!m_mainDestroyed) {
        PostClose(m_mainWindow);
        RunUntil(Now() + kCloseGraceMs);
    }
    return 0;
}

std::optional<SimDesktop::MoveLoopScript> SimDesktop::NextMoveScript() {
    if (m_moveScripts.empty())
        return std::nullopt;
    MoveLoopScript script = m_moveScripts.front();
    m_moveScripts.pop_front();
    return script;
}

std::optional<SimDesktop::MenuScript> SimDesktop::NextMenuScript() {
    if (m_menuScripts.empty())
        return std::nullopt;
    MenuScript script = m_menuScripts.front();
    m_menuScripts.pop_front();
    return script;
}

// --- Desktop --------------------------------------------------------------------------------

std::unique_ptr<Window> SimDesktop::CreateMascotWindow(const WindowParams& params, WindowHandler& handler) {
    WindowRecord record;
    record.id = NewId();
    record.rect = params.rect;
    record.title = params.title;
    record.cls = kSimMascotClass;
    auto window = std::make_unique<SimWindow>(*this, record.id, handler);
    record.mascot = window.get();
    m_windows.push_back(record);
    Raise(record.id);
    if (params.mainWindow) {
        m_mainWindow = record.id;
        m_mainDestroyed = false;
    }
    return window;
}

std::optional<Rect> SimDesktop::WindowRect(WindowId window) {
    if (const WindowRecord* record = Find(window))
        return record->rect;
    return std::nullopt;
}

std::string SimDesktop::WindowTitle(WindowId window) {
    const WindowRecord* record = Find(window);
    return record ? record->title : std::string();
}

std::string SimDesktop::WindowClass(WindowId window) {
    const WindowRecord* record = Find(window);
    return record ? record->cls.substr(0, 259) : std::string();
}

bool SimDesktop::IsWindowVisible(WindowId window) {
    const WindowRecord* record = Find(window);
    return record && record->visible;
}

WindowId SimDesktop::NextWindowBelow(WindowId window) {
    for (size_t i = 0; i + 1 < m_windows.size(); ++i)
        if (m_windows[i].id == window)
            return m_windows[i + 1].id;
    return WindowId();
}

void SimDesktop::BringToTop(WindowId window) {
    if (!Find(window))
        return;
    m_log.Add({Now(), SimEvent::Kind::BringToTop, window, 0, 0, {}});
    Raise(window);
}

void SimDesktop::PostClose(WindowId window) {
    m_log.Add({Now(), SimEvent::Kind::PostClose, window, 0, 0, {}});
    PostToWindow(window, [this, window] {
        if (!Find(window))
            return;
        m_log.Add({Now(), SimEvent::Kind::Close, window, 0, 0, {}});
        if (SimWindow* mascot = MascotWindow(window))
            mascot->Handler().OnClose();
        else
            RemoveWindow(window);  // another program's window closes
    });
}

// --- Used by SimWindow and SimUi ------------------------------------------------------------

void SimDesktop::SetTimer(WindowId window, uint32_t id, uint32_t ms) {
    const uint32_t period = std::max(ms, kMinimumTimerMs);
    m_timers[{window.Value(), id}] = Timer{Now() + period, period, m_sequence++};
    m_log.Add({Now(), SimEvent::Kind::SetTimer, window, id, ms, {}});
}

void SimDesktop::KillTimer(WindowId window, uint32_t id) {
    m_timers.erase({window.Value(), id});
    m_log.Add({Now(), SimEvent::Kind::KillTimer, window, id, 0, {}});
}

void SimDesktop::PlaceTopMost(WindowId window, std::optional<Point> pos, bool show) {
    WindowRecord* record = Find(window);
    if (!record)
        return;
    if (pos) {
        const int32_t width = record->rect.Width();
        const int32_t height = record->rect.Height();
        record->rect = Rect{pos->x, pos->y, pos->x + width, pos->y + height};
    }
    if (show)
        record->visible = true;
    record->topmost = true;
    Raise(window);
}

void SimDesktop::PostToWindow(WindowId window, std::function<void()> message) {
    m_posted.emplace_back(window, std::move(message));
}

void SimDesktop::DestroyWindow(WindowId window) {
    std::erase_if(m_timers, [&](const auto& entry) { return entry.first.first == window.Value(); });
    std::erase_if(m_posted, [&](const auto& entry) { return entry.first == window; });
    m_lastPress.erase(window.Value());
    if (SimWindow* mascot = MascotWindow(window))
        mascot->MarkDestroyed();
    m_log.Add({Now(), SimEvent::Kind::Destroy, window, 0, 0, {}});
    RemoveWindow(window);
    if (window == m_mainWindow)
        m_mainDestroyed = true;
}

SimWindow* SimDesktop::MascotWindow(WindowId window) {
    WindowRecord* record = Find(window);
    return record ? record->mascot : nullptr;
}

WindowId SimDesktop::OpenDialogWindow(const std::string& title) {
    const WindowId id = AddWindow(Rect{400, 300, 700, 520}, title, "#32770", true);
    Find(id)->topmost = true;
    Raise(id);
    return id;
}

void SimDesktop::CloseDialogWindow(WindowId window) { RemoveWindow(window); }

}  // namespace mascot
