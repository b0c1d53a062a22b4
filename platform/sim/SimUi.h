// Message boxes, dialogs and the open-file dialog on the simulated desktop, answered by script.
// A dialog runs the core's model through the same calls a real dialog makes: the script types
// into edits, clicks buttons, check boxes and radio buttons, and presses trackbar keys. As a real
// trackbar does, a scroll notice carries the thumb position only for the two thumb codes (dragged,
// released) and 0 for a key's step and the end of a scroll.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "platform/Ui.h"

namespace mascot {

class SimDesktop;

struct DialogAction {
    enum class Kind { Type, Click, TrackbarKey, TrackbarDrag, Wait, Escape };
    Kind kind = Kind::Escape;
    int id = 0;
    std::string text;  // Type: Shift-JIS bytes
    int value = 0;     // TrackbarKey: the scroll code; TrackbarDrag: the thumb position; Wait: ms

    static DialogAction Type(int id, std::string text) { return {Kind::Type, id, std::move(text), 0}; }
    static DialogAction Click(int id) { return {Kind::Click, id, {}, 0}; }
    static DialogAction Key(int id, int scrollCode) { return {Kind::TrackbarKey, id, {}, scrollCode}; }
    static DialogAction Drag(int id, int pos) { return {Kind::TrackbarDrag, id, {}, pos}; }
    static DialogAction Wait(int ms) { return {Kind::Wait, 0, {}, ms}; }
    static DialogAction Escape() { return {Kind::Escape, 0, {}, 0}; }
};

// The state of a dialog's controls as the user would see them when it closed.
struct SimDialogState {
    int templateId = 0;
    int result = 0;
    std::map<int, std::string> texts;
    std::map<int, int> checks;
    std::map<int, int> trackbarPos;
    std::map<int, std::pair<int, int>> trackbarRange;
    std::map<int, int> trackbarTicFreq;
    std::map<int, int> trackbarPageSize;
    std::map<int, int> trackbarLineSize;
    std::vector<int> selections;  // edits whose text was selected, in order
};

struct SimMessageBox {
    std::string text;
    std::string caption;
    MessageBoxButtons buttons = MessageBoxButtons::Ok;
    MessageBoxIcon icon = MessageBoxIcon::None;
    MessageBoxResult answer = MessageBoxResult::Ok;
};

class SimUi final : public Ui {
public:
    explicit SimUi(SimDesktop& desktop) : m_desktop(desktop) {}

    // Answers for the next message boxes, in order; without one the default button (OK, Yes)
    // is pressed.
    void AnswerMessageBox(MessageBoxResult answer) { m_boxAnswers.push_back(answer); }
    // Scripts for the next dialogs, in order. When a script runs out and the dialog is still
    // open, the user presses Esc.
    void ScriptDialog(std::vector<DialogAction> actions) { m_dialogScripts.push_back(std::move(actions)); }
    // Forgets the scripts no dialog has used yet (a dialog that was expected did not open).
    void DropDialogScripts() { m_dialogScripts.clear(); }
    // Answers for the next open-file dialogs; without one the user cancels.
    void AnswerOpenFile(std::optional<std::string> path) { m_fileAnswers.push_back(std::move(path)); }

    const std::vector<SimMessageBox>& MessageBoxes() const { return m_boxes; }
    const std::vector<OpenFileRequest>& OpenFileRequests() const { return m_fileRequests; }
    const std::vector<SimDialogState>& Dialogs() const { return m_dialogs; }

    MessageBoxResult MessageBox(const std::string& text, const std::string& caption, MessageBoxButtons buttons,
                                MessageBoxIcon icon) override;
    int RunDialog(DialogModel& model) override;
    std::optional<std::string> ChooseOpenFile(const OpenFileRequest& request) override;

private:
    SimDesktop& m_desktop;
    std::deque<MessageBoxResult> m_boxAnswers;
    std::deque<std::vector<DialogAction>> m_dialogScripts;
    std::deque<std::optional<std::string>> m_fileAnswers;
    std::vector<SimMessageBox> m_boxes;
    std::vector<OpenFileRequest> m_fileRequests;
    std::vector<SimDialogState> m_dialogs;
};

}  // namespace mascot
