// What the dialog models share, as a dialog framework does it for every dialog: the exchange of
// fields with controls (integer edits, check boxes, radio groups, texts) with its one failure,
// and the raising of the window below a closing dialog.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Dialog.h"

namespace mascot {

class Desktop;
class Ui;

// Reads a decimal integer as a dialog's integer edit accepts it: blanks or tabs, an optional
// sign, at least one digit, blanks or tabs, nothing else. A number that does not fit 32 bits is
// no integer either.
std::optional<int32_t> ParseDialogInt(std::string_view text);

// The ids of the radio buttons of the group that starts at `firstId`: the radio buttons from that
// control up to the next control that starts a group, in template order. Empty when the
// template has no such control.
std::vector<int> RadioGroupIds(const DialogTemplate& dialog, int firstId);

// One pass of data exchange, reading the controls into the fields (`save`) or writing the
// fields into the controls. A read that fails shows the message box, selects the failing edit
// and turns every later call of the pass into nothing, so the fields after it keep their values.
class DataExchange {
public:
    // `caption` heads the message box of a failed read.
    DataExchange(DialogControls& controls, const DialogTemplate& dialog, bool save, Ui& ui,
                 std::string_view caption);

    bool Saving() const { return m_save; }
    bool Failed() const { return m_failed; }

    // An edit holding a signed decimal integer. A failed read leaves `value` as it was.
    void Int(int id, int32_t& value);
    // A check box: reading gives 0 or 1; writing ticks it for any value but 0, so that a flag
    // stored as another non-zero number keeps its meaning when it comes back.
    void Check(int id, int32_t& value);
    // A radio group: reading gives the index of the selected button or -1 when none is;
    // writing selects the button whose index equals the value, none for any other value.
    void Radio(int firstId, int32_t& value);
    // A control's text, as bytes.
    void Text(int id, std::string& value);

private:
    void Fail(int id, std::string_view message);

    DialogControls& m_controls;
    const DialogTemplate& m_template;
    bool m_save = false;
    Ui& m_ui;
    std::string m_caption;
    bool m_failed = false;
};

// Starting below `from`, walks down the z-order to the first visible window and brings it to
// the top; nothing when there is none. The walk is bounded, so a z-order that changes under it
// cannot keep it going.
void RaiseNextVisibleWindow(Desktop& desktop, WindowId from);

}  // namespace mascot
