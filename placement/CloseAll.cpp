// Close-all: one mascot closes every running mascot, of every character build, each through its
// own close handling, and itself last.
#include "app/MainFrame.h"
#include "app/MascotApp.h"
#include "platform/Platform.h"

namespace mascot {
namespace {

// Titles and class names are compared as the platform hands them over in 256-byte buffers.
constexpr size_t kNameBytes = 255;

}  // namespace

void CMainFrame::OnCloseAll() {
    if (!m_pWnd)
        return;
    Desktop& desktop = m_app.GetPlatform().desktop;
    const WindowId self = m_pWnd->Id();
    const std::string title = desktop.WindowTitle(self).substr(0, kNameBytes);
    const std::string cls = desktop.WindowClass(self).substr(0, kNameBytes);
    // On top of everything, every other window lies below.
    m_pWnd->RaiseTopMost();
    for (WindowId window = desktop.NextWindowBelow(self); window; window = desktop.NextWindowBelow(window)) {
        if (window != self && desktop.WindowTitle(window).substr(0, kNameBytes) == title &&
            desktop.WindowClass(window).substr(0, kNameBytes) == cls)
            desktop.PostClose(window);
    }
    m_pWnd->PostClose();
}

}  // namespace mascot
