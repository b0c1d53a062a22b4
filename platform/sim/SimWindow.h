// The mascot's window on the simulated desktop.
#pragma once

#include <optional>

#include "platform/Window.h"
#include "render/Palette.h"
#include "render/Region.h"
#include "render/Surface.h"

namespace mascot {

class SimDesktop;
class WindowHandler;

class SimWindow final : public Window {
public:
    SimWindow(SimDesktop& desktop, WindowId id, WindowHandler& handler);
    ~SimWindow() override;

    WindowId Id() const override { return m_id; }
    void SetTimer(uint32_t id, uint32_t ms) override;
    void KillTimer(uint32_t id) override;
    bool IsVisible() const override;
    void Hide() override;
    void PlaceTopMost(Point pos, bool show) override;
    void RaiseTopMost() override;
    Rect ScreenRect() const override;
    Point ScreenToClient(Point screen) const override;
    void SetShape(const Region& shape) override;
    void RepaintNow() override;
    void Present(const Surface& backBuffer, const Palette* palette) override;
    void RunMoveLoop(Point start) override;
    void TrackPopupMenu(const Menu& menu, Point screen) override;
    void PostClose() override;
    void Destroy() override;
    bool IsDestroyed() const override { return m_destroyed; }

    WindowHandler& Handler() { return m_handler; }
    // The window as a person would see it: the last presented frame, the current shape (none
    // while the window is still rectangular), the palette realised at the last paint.
    const std::optional<Surface>& LastFrame() const { return m_lastFrame; }
    const std::optional<Region>& Shape() const { return m_shape; }
    const std::optional<Palette>& LastPalette() const { return m_lastPalette; }
    int PaintCount() const { return m_paints; }
    // The menu shown last, and where.
    const std::optional<Menu>& LastMenu() const { return m_lastMenu; }
    Point LastMenuPoint() const { return m_lastMenuPoint; }
    // Called after every Present with the window (kqtool run writes frames from it).
    void SetPresentObserver(std::function<void(const SimWindow&)> observer) { m_presentObserver = std::move(observer); }
    void MarkDestroyed() { m_destroyed = true; }

private:
    SimDesktop& m_desktop;
    WindowId m_id;
    WindowHandler& m_handler;
    bool m_destroyed = false;
    std::optional<Surface> m_lastFrame;
    std::optional<Region> m_shape;
    std::optional<Palette> m_lastPalette;
    int m_paints = 0;
    std::optional<Menu> m_lastMenu;
    Point m_lastMenuPoint;
    std::function<void(const SimWindow&)> m_presentObserver;
};

}  // namespace mascot
