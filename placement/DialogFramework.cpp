#include "placement/DialogFramework.h"

#include <limits>

#include "app/Texts.h"
#include "platform/Desktop.h"
#include "platform/Ui.h"

namespace mascot {
namespace {

// More windows than a desktop holds; the walk below a dialog stops there at the latest.
constexpr int kMaxWindowWalk = 65536;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<int32_t> ParseDialogInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size() || !IsDigit(text[i]))
        return std::nullopt;
    // The magnitude is gathered in 64 bits and checked against the 32-bit range digit by digit,
    // so a long run of digits cannot overflow it.
    const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                   : int64_t{std::numeric_limits<int32_t>::max()};
    int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i != text.size())
        return std::nullopt;
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

std::vector<int> RadioGroupIds(const DialogTemplate& dialog, int firstId) {
    std::vector<int> ids;
    bool inGroup = false;
    for (const ControlTemplate& control : dialog.controls) {
        if (inGroup && control.group)
            break;
        if (!inGroup && control.id == firstId && control.id != kIdStatic)
            inGroup = true;
        if (inGroup && control.kind == ControlKind::AutoRadioButton)
            ids.push_back(control.id);
    }
    return ids;
}

DataExchange::DataExchange(DialogControls& controls, const DialogTemplate& dialog, bool save, Ui& ui,
                           std::string_view caption)
    : m_controls(controls), m_template(dialog), m_save(save), m_ui(ui), m_caption(caption) {}

void DataExchange::Int(int id, int32_t& value) {
    if (m_failed)
        return;
    if (!m_save) {
        m_controls.SetText(id, std::to_string(value));
        return;
    }
    if (const std::optional<int32_t> parsed = ParseDialogInt(m_controls.GetText(id)))
        value = *parsed;
    else
        Fail(id, texts::kMsgEnterInteger);
}

void DataExchange::Check(int id, int32_t& value) {
    if (m_failed)
        return;
    if (m_save)
        value = m_controls.GetCheck(id) != 0 ? 1 : 0;
    else
        m_controls.SetCheck(id, value != 0 ? 1 : 0);
}

void DataExchange::Radio(int firstId, int32_t& value) {
    if (m_failed)
        return;
    const std::vector<int> ids = RadioGroupIds(m_template, firstId);
    if (m_save)
        value = -1;
    for (size_t index = 0; index < ids.size(); ++index) {
        if (!m_save)
            m_controls.SetCheck(ids[index], static_cast<int32_t>(index) == value ? 1 : 0);
        else if (value == -1 && m_controls.GetCheck(ids[index]) != 0)
            value = static_cast<int32_t>(index);
    }
}

void DataExchange::Text(int id, std::string& value) {
    if (m_failed)
        return;
    if (m_save)
        value = m_controls.GetText(id);
    else
        m_controls.SetText(id, value);
}

void DataExchange::Fail(int id, std::string_view message) {
    m_failed = true;
    // The message first, then the control gets the focus with its text selected, so the user can
    // type over what was refused.
    m_ui.MessageBox(std::string(message), m_caption, MessageBoxButtons::Ok, MessageBoxIcon::Exclamation);
    m_controls.SelectText(id);
}

void RaiseNextVisibleWindow(Desktop& desktop, WindowId from) {
    WindowId window = from;
    for (int step = 0; window && step < kMaxWindowWalk; ++step) {
        window = desktop.NextWindowBelow(window);
        if (!window || window == from)
            return;
        if (desktop.IsWindowVisible(window)) {
            desktop.BringToTop(window);
            return;
        }
    }
}

}  // namespace mascot
