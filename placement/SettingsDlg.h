// The settings dialog: the position percentage as a slider and a number, the tracking mode, the
// "always in front" flag, and three values carried through hidden check boxes. The caller fills
// the fields, runs the dialog and applies them only when it ends with OK.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Dialog.h"

namespace mascot {

class Desktop;
class Ui;

class CSettingsDlg final : public DialogModel {
public:
    // `caption` heads the message box that refuses a non-integer position.
    CSettingsDlg(Ui& ui, Desktop& desktop, std::string caption);

    int32_t m_nPos = 0, m_bAutoAnim = 0, m_bFront = 0, m_nFollow = -1, m_bRandomStart = 0, m_bSound = 0;

    // Runs the dialog modally; kIdOk when the user confirmed it, kIdCancel otherwise.
    int DoModal();

    // Reads the controls into the fields (`save`) or writes the fields into them, in the order
    // position edit, 1003, 1006, the tracking-mode group, 1010, 1011. A position that is no
    // integer fails the read: the message box, the edit's text selected, the fields from there on
    // left as they were. Returns false then.
    bool DoDataExchange(DialogControls& controls, bool save);

    // DialogModel
    const DialogTemplate& Template() const override;
    bool OnInitDialog(DialogControls& controls) override;
    void OnCommand(DialogControls& controls, int id, int notifyCode) override;
    void OnHScroll(DialogControls& controls, int code, int thumbPos, int controlId) override;

    // The edit changed: the slider follows the number (a number outside 0..100 puts the thumb at
    // the nearer end; the edit keeps what was typed).
    void OnChangePosition(DialogControls& controls);
    // Both raise the window below the dialog first. OK closes only when every field reads.
    void OnOK(DialogControls& controls);
    void OnCancel(DialogControls& controls);

private:
    bool UpdateData(DialogControls& controls, bool save);

    Ui& m_ui;
    Desktop& m_desktop;
    std::string m_caption;
    // Set while the dialog writes its own fields into the controls: an edit-change notice that a
    // platform raises for such a write is not the user's and is not handled.
    bool m_bWritingControls = false;
};

}  // namespace mascot
