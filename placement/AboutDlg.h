// The About box: the product line, the rights notice and the mascot data's about text.
#pragma once

#include <string>

#include "platform/Dialog.h"

namespace mascot {

class Desktop;
class Ui;

class CAboutDlg final : public DialogModel {
public:
    CAboutDlg(Ui& ui, Desktop& desktop);

    // The about text, as Shift-JIS bytes; shown centred, a line feed starts a new line.
    std::string m_strText;

    // Runs the box modally; kIdOk after OK, kIdCancel after Esc or the close box.
    int DoModal();

    // Writes m_strText into its static, or reads it back.
    void DoDataExchange(DialogControls& controls, bool save);

    // DialogModel
    const DialogTemplate& Template() const override;
    bool OnInitDialog(DialogControls& controls) override;
    void OnCommand(DialogControls& controls, int id, int notifyCode) override;
    void OnHScroll(DialogControls& controls, int code, int thumbPos, int controlId) override;

    // OK raises the window below the box, then closes it. Esc and the close box only close it.
    void OnOK(DialogControls& controls);

private:
    Ui& m_ui;
    Desktop& m_desktop;
};

}  // namespace mascot
