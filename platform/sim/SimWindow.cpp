#include "platform/sim/SimWindow.h"

#include <sstream>

#include "platform/WindowHandler.h"
#include "platform/sim/SimDesktop.h"

namespace mascot {
namespace {

void DescribeItems(const std::vector<MenuItem>& items, int depth, std::ostringstream& out) {
    for (const MenuItem& item : items) {
        out << std::string(static_cast<size_t>(depth) * 2, ' ');
        switch (item.kind) {
            case MenuItem::Kind::Separator:
                out << "----\n";
                continue;
            case MenuItem::Kind::Submenu:
                out << item.text << " >\n";
                DescribeItems(item.submenu, depth + 1, out);
                continue;
            case MenuItem::Kind::Command:
                out << item.id << ' ' << item.text << (item.checked ? " [checked]" : "")
                    << (item.grayed ? " [grayed]" : "") << (item.disabled ? " [disabled]" : "")
                    << (item.menuBarBreak ? " [break]" : "") << '\n';
                continue;
        }
    }
}

// Whether `id` names an item of the menu that a user can choose.
bool Choosable(const std::vector<MenuItem>& items, uint32_t id) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Submenu && Choosable(item.submenu, id))
            return true;
        if (item.kind == MenuItem::Kind::Command && item.id == id && !item.disabled && !item.grayed)
            return true;
    }
    return false;
}

}  // namespace

SimWindow::SimWindow(SimDesktop& desktop, WindowId id, WindowHandler& handler)
    : m_desktop(desktop), m_id(id), m_handler(handler) {}

SimWindow::~SimWindow() {
    if (!m_destroyed)
        m_desktop.DestroyWindow(m_id);
}

void SimWindow::SetTimer(uint32_t id, uint32_t ms) {
    if (!m_destroyed)
        m_desktop.SetTimer(m_id, id, ms);
}

void SimWindow::KillTimer(uint32_t id) {
    if (!m_destroyed)
        m_desktop.KillTimer(m_id, id);
}

bool SimWindow::IsVisible() const { return m_desktop.IsWindowVisible(m_id); }

void SimWindow::Hide() {
    if (m_destroyed)
        return;
    m_desktop.Log().Add({m_desktop.Now(), SimEvent::Kind::Hide, m_id, 0, 0, {}});
    m_desktop.SetWindowVisible(m_id, false);
}

void SimWindow::PlaceTopMost(Point pos, bool show) {
    if (m_destroyed)
        return;
    const bool exposed = show && !IsVisible();
    m_desktop.Log().Add({m_desktop.Now(), show ? SimEvent::Kind::Show : SimEvent::Kind::Move, m_id, pos.x, pos.y, {}});
    m_desktop.PlaceTopMost(m_id, pos, show);
    // A window that appears is painted, as a platform sends it a paint request.
    if (exposed)
        m_desktop.PostToWindow(m_id, [this] { m_handler.OnPaint(); });
}

void SimWindow::RaiseTopMost() {
    if (m_destroyed)
        return;
    m_desktop.Log().Add({m_desktop.Now(), SimEvent::Kind::Raise, m_id, 0, 0, {}});
    m_desktop.PlaceTopMost(m_id, std::nullopt, false);
}

Rect SimWindow::ScreenRect() const { return m_desktop.WindowRect(m_id).value_or(Rect{}); }

Point SimWindow::ScreenToClient(Point screen) const {
    const Rect rect = ScreenRect();
    return Point{screen.x - rect.left, screen.y - rect.top};
}

void SimWindow::SetShape(const Region& shape) {
    if (m_destroyed)
        return;
    m_shape = shape;
    m_desktop.Log().Add(
        {m_desktop.Now(), SimEvent::Kind::SetShape, m_id, static_cast<int64_t>(shape.RectCount()), 0, {}});
}

void SimWindow::RepaintNow() {
    if (!m_destroyed)
        m_handler.OnPaint();
}

void SimWindow::Present(const Surface& backBuffer, const Palette* palette) {
    m_lastFrame = backBuffer;
    m_lastPalette = palette ? std::optional<Palette>(*palette) : std::nullopt;
    ++m_paints;
    m_desktop.Log().Add({m_desktop.Now(), SimEvent::Kind::Present, m_id, 0, 0, {}});
    if (m_presentObserver)
        m_presentObserver(*this);
}

// The platform's move loop drags the window with the mouse until the button goes up. Here the
// script says how long that takes and how far the cursor travels; the window travels with it.
// The release that ends the loop is the loop's own: the window never sees it.
void SimWindow::RunMoveLoop(Point start) {
    const auto script = m_desktop.NextMoveScript().value_or(SimDesktop::MoveLoopScript{});
    m_desktop.Log().Add(
        {m_desktop.Now(), SimEvent::Kind::MoveLoop, m_id, script.cursorTravel.x, script.cursorTravel.y, {}});
    (void)start;
    m_desktop.RunNested(script.durationMs);
    if (m_destroyed)
        return;
    const Point cursor = m_desktop.CursorPos();
    m_desktop.SetCursor(Point{cursor.x + script.cursorTravel.x, cursor.y + script.cursorTravel.y});
    const Rect rect = ScreenRect();
    m_desktop.MoveWindow(m_id, Rect{rect.left + script.cursorTravel.x, rect.top + script.cursorTravel.y,
                                    rect.right + script.cursorTravel.x, rect.bottom + script.cursorTravel.y});
}

void SimWindow::TrackPopupMenu(const Menu& menu, Point screen) {
    m_lastMenu = menu;
    m_lastMenuPoint = screen;
    std::ostringstream description;
    DescribeItems(menu.items, 0, description);
    m_desktop.Log().Add({m_desktop.Now(), SimEvent::Kind::Menu, m_id, screen.x, screen.y, description.str()});
    const auto script = m_desktop.NextMenuScript().value_or(SimDesktop::MenuScript{});
    m_desktop.RunNested(script.delayMs);
    if (m_destroyed || !script.choice || !Choosable(menu.items, *script.choice))
        return;
    const uint32_t id = *script.choice;
    m_desktop.PostCommand(m_id, id);
}

void SimWindow::PostClose() {
    if (!m_destroyed)
        m_desktop.PostClose(m_id);
}

void SimWindow::Destroy() {
    if (!m_destroyed)
        m_desktop.DestroyWindow(m_id);
}

}  // namespace mascot
