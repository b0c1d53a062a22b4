// The settings and About commands: both hide the mascot and suspend tracking while their dialog
// runs; the timers go on inside it.
#include <algorithm>

#include "app/Globals.h"
#include "app/MainFrame.h"
#include "app/MascotApp.h"
#include "app/Texts.h"
#include "placement/AboutDlg.h"
#include "placement/SettingsDlg.h"
#include "platform/Platform.h"

namespace mascot {

void CMainFrame::OnSettings() {
    Platform& platform = m_app.GetPlatform();
    m_bTracking = false;
    HideIfVisible();

    CSettingsDlg dialog(platform.ui, platform.desktop, std::string(texts::kAppTitle));
    dialog.m_nPos = m_nPosition;
    dialog.m_bAutoAnim = m_app.m_bAutoAnimation;
    dialog.m_bFront = m_app.m_bTopMost;
    dialog.m_nFollow = m_app.m_nFixed;
    dialog.m_bRandomStart = 0;
    dialog.m_bSound = m_app.m_bUseSound;
    if (dialog.DoModal() == kIdOk) {
        m_nPosition = std::clamp(dialog.m_nPos, 0, 100);
        m_app.m_bAutoAnimation = dialog.m_bAutoAnim;
        m_app.m_nFixed = dialog.m_nFollow;
        m_app.m_bTopMost = dialog.m_bFront;
        m_app.m_bUseSound = dialog.m_bSound;
        g_soundMuted = dialog.m_bSound == 0 ? 1 : 0;
        // Confirming restarts the pattern, as choosing it from the menu does.
        SelectPattern(static_cast<uint32_t>(ID_PATTERN_RANDOM + m_script.m_patternChoice));
    }
    m_bTracking = true;
    OnMascotTrack();
}

void CMainFrame::OnAppAbout() {
    Platform& platform = m_app.GetPlatform();
    CAboutDlg dialog(platform.ui, platform.desktop);
    if (m_pWnd)
        m_pWnd->Hide();
    m_bTracking = false;
    dialog.m_strText = std::string(Data().AboutText().value_or(std::string_view()));
    dialog.DoModal();
    // No pass here: the next tick of the tracking timer shows the mascot again.
    m_bTracking = true;
}

}  // namespace mascot
