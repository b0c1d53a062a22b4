#include "placement/AboutDlg.h"

#include "placement/DialogFramework.h"
#include "platform/Ui.h"
#include "res/DialogTemplates.h"

namespace mascot {

CAboutDlg::CAboutDlg(Ui& ui, Desktop& desktop) : m_ui(ui), m_desktop(desktop) {}

int CAboutDlg::DoModal() {
    return m_ui.RunDialog(*this);
}

const DialogTemplate& CAboutDlg::Template() const {
    return AboutDialogTemplate();
}

void CAboutDlg::DoDataExchange(DialogControls& controls, bool save) {
    // A text exchange cannot fail, so the message box's caption is never used.
    DataExchange dx(controls, Template(), save, m_ui, {});
    dx.Text(kIdcAboutText, m_strText);
}

bool CAboutDlg::OnInitDialog(DialogControls& controls) {
    DoDataExchange(controls, false);
    return true;
}

void CAboutDlg::OnCommand(DialogControls& controls, int id, int notifyCode) {
    if (notifyCode != kBnClicked)
        return;
    if (id == kIdOk)
        OnOK(controls);
    else if (id == kIdCancel)
        controls.EndDialog(kIdCancel);
}

void CAboutDlg::OnHScroll(DialogControls&, int, int, int) {}

void CAboutDlg::OnOK(DialogControls& controls) {
    RaiseNextVisibleWindow(m_desktop, controls.DialogWindow());
    DoDataExchange(controls, true);
    controls.EndDialog(kIdOk);
}

}  // namespace mascot
