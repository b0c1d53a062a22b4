// The left button: a press runs the click handler at once and arms a drag; the first move away
// from the press point drags the mascot along its target's top edge.
#include <algorithm>

#include "app/MainFrame.h"
#include "app/MascotApp.h"
#include "placement/Placement.h"
#include "platform/Platform.h"

namespace mascot {

void CMainFrame::OnLButtonDown(uint32_t, Point point) {
    m_bDragArmed = true;
    m_ptPress = point;
    if (m_script.m_clickTarget != kNoClickHandler) {
        // Exactly as if the script timer had fired: the pending wait is cancelled.
        if (Tracing())
            Trace(MascotEvent{"click"}.Int("target", m_script.m_clickTarget));
        m_script.m_pc = m_script.m_clickTarget;
        OnTimer(kTimerScript);
    }
}

// The second press of a quick double press arrives here and runs nothing.
void CMainFrame::OnLButtonDblClk(uint32_t, Point) {}

void CMainFrame::OnLButtonUp(uint32_t, Point) { m_bDragArmed = false; }

void CMainFrame::OnMouseMove(uint32_t, Point point) {
    // Any difference from the press point starts a drag: there is no threshold.
    if (!m_bDragArmed || point == m_ptPress || !m_pWnd)
        return;
    m_bDragArmed = false;
    m_bTracking = false;
    Desktop& desktop = m_app.GetPlatform().desktop;
    const Point before = desktop.CursorPos();
    m_pWnd->RunMoveLoop(point);
    const Point after = desktop.CursorPos();
    m_pWnd->Hide();

    // Only the horizontal travel counts, measured against the window the user works in now.
    int32_t left = m_nTargetLeft;
    int32_t right = m_nTargetRight;
    if (const WindowId foreground = desktop.ForegroundWindow()) {
        const Rect rect = desktop.WindowRect(foreground).value_or(Rect{});
        left = rect.left;
        right = rect.right;
    }
    const int32_t change = DragPercentChange(after.x - before.x, PlacementSlack(left, right, FrameWidth()));
    m_nPosition = std::clamp(m_nPosition + change, 0, 100);

    m_bTracking = true;
    OnMascotTrack();
}

}  // namespace mascot
