// The tracking pass and the other users of the placement formula: SetPosition and SetHeight.
// The pass decides ten times a second which window the mascot rides on, whether it hides, stays
// where it is, or moves there.
#include "app/MainFrame.h"
#include "app/MascotApp.h"
#include "placement/Placement.h"
#include "platform/Platform.h"

namespace mascot {
namespace {

enum class TrackMode { AllWindows = 0, TaskbarOnly = 1, AllButTaskbar = 2 };

TrackMode ModeOf(int32_t fixed) {
    // A value from the settings file outside 0..2 rides on every window.
    return fixed == 1 ? TrackMode::TaskbarOnly : fixed == 2 ? TrackMode::AllButTaskbar : TrackMode::AllWindows;
}

}  // namespace

void CMainFrame::HideIfVisible() {
    if (m_pWnd && m_pWnd->IsVisible())
        m_pWnd->Hide();
}

int32_t CMainFrame::OnMascotTrack() {
    if (!m_pWnd)
        return 0;
    Desktop& desktop = m_app.GetPlatform().desktop;
    const WindowId self = m_pWnd->Id();

    WindowId target;
    switch (ModeOf(m_app.m_nFixed)) {
        case TrackMode::TaskbarOnly:
            target = desktop.Taskbar();
            break;
        case TrackMode::AllButTaskbar:
            target = desktop.ForegroundWindow();
            // With the taskbar in front the mascot itself is the target: it stays where it is.
            if (target && target == desktop.Taskbar())
                target = self;
            break;
        case TrackMode::AllWindows:
            target = desktop.ForegroundWindow();
            break;
    }
    if (!target) {
        HideIfVisible();
        return 0;
    }
    const Rect rect = desktop.WindowRect(target).value_or(Rect{});
    // A window whose top lies at the top of the screen or above it (a maximised one, a taskbar
    // docked at the top) never carries the mascot.
    if (rect.top <= 0) {
        HideIfVisible();
        return 0;
    }
    const std::string title = desktop.WindowTitle(target);
    if (title == kCompanionTitle && desktop.WindowClass(target) == kCompanionClass)
        return 0;
    if (target == self || title == kMascotWindowTitle || !desktop.IsWindowVisible(target))
        return 0;
    PlaceOn(rect.left, rect.top, rect.right);
    return 0;
}

void CMainFrame::PlaceOn(int32_t left, int32_t top, int32_t right) {
    const int32_t x = PlacementX(left, right, FrameWidth(), m_nPosition);
    const int32_t y = PlacementY(top, m_script.m_height);
    if (m_app.m_bTopMost != 0 || x != m_nLastX || y != m_nLastY)
        m_pWnd->PlaceTopMost(Point{x, y}, false);
    if (!m_pWnd->IsVisible())
        m_pWnd->PlaceTopMost(Point{x, y}, true);
    m_nLastX = x;
    m_nLastY = y;
    m_nTargetLeft = left;
    m_nTargetRight = right;
    m_nTargetTop = top;
}

void CMainFrame::SetPosition(uint16_t percent) {
    m_nPosition = percent > 100 ? 100 : percent;
    if (Tracing())
        Trace(MascotEvent{"position"}.Int("value", m_nPosition));
    OnMascotTrack();
}

void CMainFrame::SetHeight(uint16_t height) {
    if (Tracing())
        Trace(MascotEvent{"height"}.Int("value", height));
    if (height == m_script.m_height)
        return;
    m_script.m_height = height;
    if (!m_pWnd)
        return;
    if (!m_bDragArmed)
        HideIfVisible();
    Desktop& desktop = m_app.GetPlatform().desktop;
    const WindowId foreground = desktop.ForegroundWindow();
    if (foreground && foreground == m_pWnd->Id())
        return;  // a mascot hidden above stays hidden until a tracking pass shows it
    int32_t left = m_nTargetLeft;
    int32_t right = m_nTargetRight;
    // Only the left and right edges of the last target are part of the placement state; without
    // a foreground window the vertical reference is the last target's top edge, remembered beside
    // them, so the mascot keeps riding on the edge it was on.
    int32_t top = m_nTargetTop;
    if (foreground) {
        const Rect rect = desktop.WindowRect(foreground).value_or(Rect{});
        left = rect.left;
        top = rect.top;
        right = rect.right;
    }
    const int32_t x = PlacementX(left, right, FrameWidth(), m_nPosition);
    const int32_t y = PlacementY(top, m_script.m_height);
    if (x != m_nLastX || y != m_nLastY)
        m_pWnd->PlaceTopMost(Point{x, y}, false);
}

}  // namespace mascot
