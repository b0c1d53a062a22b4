#include "placement/SettingsDlg.h"

#include <algorithm>
#include <utility>

#include "placement/DialogFramework.h"
#include "platform/Ui.h"
#include "res/DialogTemplates.h"

namespace mascot {
namespace {

constexpr int kPosMin = 0;
constexpr int kPosMax = 100;
constexpr int kTicFrequency = 10;
constexpr int kPageSize = 10;
constexpr int kLineSize = 1;


// The position after a scroll, from the number the edit held. Worked out in 64 bits, so a typed
// number at the edge of the 32-bit range moves toward the slider's range instead of wrapping.
int64_t ScrolledPosition(int32_t value, int code, int thumbPos) {
    switch (code) {
        case kTbLineUp:
            return int64_t{value} - kLineSize;
        case kTbLineDown:
            return int64_t{value} + kLineSize;
        case kTbPageUp:
            return int64_t{value} - kPageSize;
        case kTbPageDown:
            return int64_t{value} + kPageSize;
        case kTbThumbPosition:
        case kTbThumbTrack:
            return thumbPos;
        case kTbTop:
            return kPosMin;
        case kTbBottom:
            return kPosMax;
        default:
            return value;  // the end of a scroll and codes without a move
    }
}

}  // namespace

CSettingsDlg::CSettingsDlg(Ui& ui, Desktop& desktop, std::string caption)
    : m_ui(ui), m_desktop(desktop), m_caption(std::move(caption)) {}

int CSettingsDlg::DoModal() {
    return m_ui.RunDialog(*this);
}

const DialogTemplate& CSettingsDlg::Template() const {
    return SettingsDialogTemplate();
}

bool CSettingsDlg::DoDataExchange(DialogControls& controls, bool save) {
    DataExchange dx(controls, Template(), save, m_ui, m_caption);
    dx.Int(kIdcPositionEdit, m_nPos);
    dx.Check(kIdcAutoAnimation, m_bAutoAnim);
    dx.Check(kIdcFront, m_bFront);
    dx.Radio(kIdcFollowAll, m_nFollow);
    dx.Check(kIdcRandomStart, m_bRandomStart);
    dx.Check(kIdcSound, m_bSound);
    return !dx.Failed();
}

bool CSettingsDlg::UpdateData(DialogControls& controls, bool save) {
    if (save)
        return DoDataExchange(controls, true);
    m_bWritingControls = true;
    DoDataExchange(controls, false);
    m_bWritingControls = false;
    return true;
}

bool CSettingsDlg::OnInitDialog(DialogControls& controls) {
    UpdateData(controls, false);
    controls.TrackbarSetRange(kIdcPositionSlider, kPosMin, kPosMax, false);
    controls.TrackbarSetTicFreq(kIdcPositionSlider, kTicFrequency);
    controls.TrackbarSetPageSize(kIdcPositionSlider, kPageSize);
    controls.TrackbarSetLineSize(kIdcPositionSlider, kLineSize);
    controls.TrackbarSetPos(kIdcPositionSlider, m_nPos, true);
    return true;
}

void CSettingsDlg::OnCommand(DialogControls& controls, int id, int notifyCode) {
    if (id == kIdOk && notifyCode == kBnClicked)
        OnOK(controls);
    else if (id == kIdCancel && notifyCode == kBnClicked)
        OnCancel(controls);
    else if (id == kIdcPositionEdit && notifyCode == kEnChange && !m_bWritingControls)
        OnChangePosition(controls);
}

void CSettingsDlg::OnChangePosition(DialogControls& controls) {
    // A failed read keeps the last good number, and the slider shows that one.
    UpdateData(controls, true);
    controls.TrackbarSetPos(kIdcPositionSlider, m_nPos, true);
}

void CSettingsDlg::OnHScroll(DialogControls& controls, int code, int thumbPos, int controlId) {
    if (controlId != kIdcPositionSlider)
        return;
    // The step starts from the number in the edit, not from the thumb. When the edit holds no
    // number, the last good one is used and the result replaces the refused text.
    UpdateData(controls, true);
    m_nPos =
        static_cast<int32_t>(std::clamp<int64_t>(ScrolledPosition(m_nPos, code, thumbPos), kPosMin, kPosMax));
    UpdateData(controls, false);
    // The control has already moved its thumb by its own step, which differs from ours when the
    // edit held a number outside the range (250 and Left: the thumb went to 99, the number is
    // 100). Put the thumb where the number is, so that what OK applies is what the slider shows.
    controls.TrackbarSetPos(kIdcPositionSlider, m_nPos, true);
}

void CSettingsDlg::OnOK(DialogControls& controls) {
    RaiseNextVisibleWindow(m_desktop, controls.DialogWindow());
    if (UpdateData(controls, true))
        controls.EndDialog(kIdOk);
}

void CSettingsDlg::OnCancel(DialogControls& controls) {
    RaiseNextVisibleWindow(m_desktop, controls.DialogWindow());
    controls.EndDialog(kIdCancel);
}

}  // namespace mascot
