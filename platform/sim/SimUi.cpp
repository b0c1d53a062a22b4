#include "platform/sim/SimUi.h"

#include <algorithm>

#include "platform/sim/SimDesktop.h"

namespace mascot {
namespace {


// The controls of one running dialog, kept as a real dialog keeps them.
class SimDialog final : public DialogControls {
public:
    SimDialog(const DialogTemplate& dialog, WindowId window, SimDialogState& state)
        : m_template(dialog), m_window(window), m_state(state) {
        for (const ControlTemplate& control : dialog.controls) {
            if (control.id == kIdStatic)
                continue;
            m_state.texts[control.id] = control.kind == ControlKind::Trackbar ? std::string() : control.text;
            if (control.kind == ControlKind::AutoCheckBox || control.kind == ControlKind::AutoRadioButton)
                m_state.checks[control.id] = 0;
            if (control.kind == ControlKind::Trackbar) {
                m_state.trackbarPos[control.id] = 0;
                m_state.trackbarRange[control.id] = {0, 100};
                m_state.trackbarPageSize[control.id] = 20;
                m_state.trackbarLineSize[control.id] = 1;
            }
        }
    }

    std::string GetText(int id) override { return m_state.texts[id]; }
    void SetText(int id, const std::string& text) override { m_state.texts[id] = text; }
    int GetCheck(int id) override { return m_state.checks[id]; }
    void SetCheck(int id, int state) override { m_state.checks[id] = state; }
    void SelectText(int id) override { m_state.selections.push_back(id); }
    void TrackbarSetRange(int id, int min, int max, bool) override {
        m_state.trackbarRange[id] = {min, max};
        ClampThumb(id);
    }
    void TrackbarSetTicFreq(int id, int frequency) override { m_state.trackbarTicFreq[id] = frequency; }
    void TrackbarSetPageSize(int id, int size) override { m_state.trackbarPageSize[id] = size; }
    void TrackbarSetLineSize(int id, int size) override { m_state.trackbarLineSize[id] = size; }
    void TrackbarSetPos(int id, int pos, bool) override {
        m_state.trackbarPos[id] = pos;
        ClampThumb(id);
    }
    int TrackbarGetPos(int id) override { return m_state.trackbarPos[id]; }
    WindowId DialogWindow() override { return m_window; }
    void EndDialog(int result) override {
        m_ended = true;
        m_state.result = result;
    }

    bool Ended() const { return m_ended; }
    const ControlTemplate* Control(int id) const {
        for (const ControlTemplate& control : m_template.controls)
            if (control.id == id)
                return &control;
        return nullptr;
    }
    // The radio buttons of the group that holds `id`: from the group's first control up to the
    // next control that starts a group.
    std::vector<int> RadioGroup(int id) const {
        std::vector<int> group;
        bool found = false;
        for (const ControlTemplate& control : m_template.controls) {
            if (control.group) {
                if (found)
                    break;
                group.clear();
            }
            if (control.kind == ControlKind::AutoRadioButton)
                group.push_back(control.id);
            found = found || control.id == id;
        }
        return group;
    }
    // A trackbar moved by a key, as the control computes it.
    int KeyedThumb(int id, int code) {
        const auto [min, max] = m_state.trackbarRange[id];
        const int pos = m_state.trackbarPos[id];
        switch (code) {
            case kTbLineUp: return pos - m_state.trackbarLineSize[id];
            case kTbLineDown: return pos + m_state.trackbarLineSize[id];
            case kTbPageUp: return pos - m_state.trackbarPageSize[id];
            case kTbPageDown: return pos + m_state.trackbarPageSize[id];
            case kTbTop: return min;
            case kTbBottom: return max;
            default: return pos;
        }
    }

private:
    void ClampThumb(int id) {
        const auto [min, max] = m_state.trackbarRange[id];
        m_state.trackbarPos[id] = std::clamp(m_state.trackbarPos[id], min, std::max(min, max));
    }

    const DialogTemplate& m_template;
    WindowId m_window;
    SimDialogState& m_state;
    bool m_ended = false;
};

// The position a scroll notice carries: a trackbar reports its thumb only with the two thumb
// codes and 0 with every other, so a model must not take a key's notice for a position.
int ScrollThumbPos(SimDialog& dialog, int id, int code) {
    return code == kTbThumbPosition || code == kTbThumbTrack ? dialog.TrackbarGetPos(id) : 0;
}

// Carries out one scripted user action on the running dialog.
void Act(SimDialog& dialog, DialogModel& model, const DialogAction& action, SimDesktop& desktop) {
    const ControlTemplate* control = dialog.Control(action.id);
    const bool usable = control && control->visible && !control->disabled;
    switch (action.kind) {
        case DialogAction::Kind::Wait:
            desktop.RunNested(static_cast<uint64_t>(std::max(0, action.value)));
            return;
        case DialogAction::Kind::Escape:
            model.OnCommand(dialog, kIdCancel, kBnClicked);
            return;
        case DialogAction::Kind::Type:
            if (usable) {
                dialog.SetText(action.id, action.text);
                model.OnCommand(dialog, action.id, kEnChange);
            }
            return;
        case DialogAction::Kind::Click:
            if (!usable)
                return;  // a hidden or disabled control cannot be clicked
            if (control->kind == ControlKind::AutoCheckBox)
                dialog.SetCheck(action.id, dialog.GetCheck(action.id) ? 0 : 1);
            if (control->kind == ControlKind::AutoRadioButton)
                for (int member : dialog.RadioGroup(action.id))
                    dialog.SetCheck(member, member == action.id ? 1 : 0);
            model.OnCommand(dialog, action.id, kBnClicked);
            return;
        case DialogAction::Kind::TrackbarKey: {
            if (!usable)
                return;
            const int pos = dialog.KeyedThumb(action.id, action.value);
            dialog.TrackbarSetPos(action.id, pos, true);
            model.OnHScroll(dialog, action.value, ScrollThumbPos(dialog, action.id, action.value), action.id);
            if (!dialog.Ended())
                model.OnHScroll(dialog, kTbEndTrack, 0, action.id);
            return;
        }
        case DialogAction::Kind::TrackbarDrag:
            if (!usable)
                return;
            dialog.TrackbarSetPos(action.id, action.value, true);
            for (int code : {kTbThumbTrack, kTbThumbPosition, kTbEndTrack})
                if (!dialog.Ended())
                    model.OnHScroll(dialog, code, ScrollThumbPos(dialog, action.id, code), action.id);
            return;
    }
}

}  // namespace

MessageBoxResult SimUi::MessageBox(const std::string& text, const std::string& caption, MessageBoxButtons buttons,
                                   MessageBoxIcon icon) {
    MessageBoxResult answer = buttons == MessageBoxButtons::YesNo ? MessageBoxResult::Yes : MessageBoxResult::Ok;
    if (!m_boxAnswers.empty()) {
        answer = m_boxAnswers.front();
        m_boxAnswers.pop_front();
    }
    m_boxes.push_back(SimMessageBox{text, caption, buttons, icon, answer});
    m_desktop.Log().Add(
        {m_desktop.Now(), SimEvent::Kind::MessageBox, WindowId(), static_cast<int64_t>(answer), 0, text});
    return answer;
}

int SimUi::RunDialog(DialogModel& model) {
    const DialogTemplate& dialogTemplate = model.Template();
    std::vector<DialogAction> script;
    if (!m_dialogScripts.empty()) {
        script = std::move(m_dialogScripts.front());
        m_dialogScripts.pop_front();
    }
    SimDialogState state;
    state.templateId = dialogTemplate.id;
    state.result = kIdCancel;
    const WindowId window = m_desktop.OpenDialogWindow(dialogTemplate.title);
    SimDialog dialog(dialogTemplate, window, state);
    model.OnInitDialog(dialog);
    for (const DialogAction& action : script) {
        if (dialog.Ended() || m_desktop.MainWindowDestroyed())
            break;
        Act(dialog, model, action, m_desktop);
    }
    if (!dialog.Ended())
        model.OnCommand(dialog, kIdCancel, kBnClicked);
    if (!dialog.Ended())
        dialog.EndDialog(kIdCancel);  // the close box always closes a dialog
    m_desktop.CloseDialogWindow(window);
    m_desktop.Log().Add({m_desktop.Now(), SimEvent::Kind::Dialog, WindowId(), dialogTemplate.id, state.result, {}});
    m_dialogs.push_back(state);
    return state.result;
}

std::optional<std::string> SimUi::ChooseOpenFile(const OpenFileRequest& request) {
    m_fileRequests.push_back(request);
    std::optional<std::string> answer;
    if (!m_fileAnswers.empty()) {
        answer = std::move(m_fileAnswers.front());
        m_fileAnswers.pop_front();
    }
    m_desktop.Log().Add(
        {m_desktop.Now(), SimEvent::Kind::OpenFile, WindowId(), answer ? 1 : 0, 0, answer.value_or(std::string())});
    return answer;
}

}  // namespace mascot
