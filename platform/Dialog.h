// Modal dialogs: the core owns a model (fields, data exchange, validation); a backend builds
// the real dialog from the model's template and reports what the user does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace mascot {

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdStatic = -1;

// Notification codes a backend passes with OnCommand.
inline constexpr int kBnClicked = 0;
inline constexpr int kEnChange = 0x300;

// Trackbar scroll codes a backend passes with OnHScroll.
inline constexpr int kTbLineUp = 0;
inline constexpr int kTbLineDown = 1;
inline constexpr int kTbPageUp = 2;
inline constexpr int kTbPageDown = 3;
inline constexpr int kTbThumbPosition = 4;
inline constexpr int kTbThumbTrack = 5;
inline constexpr int kTbTop = 6;
inline constexpr int kTbBottom = 7;
inline constexpr int kTbEndTrack = 8;

enum class ControlKind {
    DefPushButton,
    PushButton,
    GroupBox,
    Trackbar,
    Edit,
    AutoCheckBox,
    AutoRadioButton,
    Static,
    Icon,
};

enum class TextAlign { Left, Center, Right };

// One control of a dialog template; rectangles are in dialog units.
struct ControlTemplate {
    int id = kIdStatic;
    ControlKind kind = ControlKind::Static;
    std::string text;  // Shift-JIS bytes; for an icon, the icon's resource id in decimal
    Rect rect;         // left, top, right, bottom in dialog units
    bool visible = true;
    bool disabled = false;
    bool tabStop = false;
    bool group = false;      // starts a group (closes a radio group before it)
    TextAlign align = TextAlign::Left;
    bool noPrefix = false;   // "&" is shown as it is
    bool staticEdge = false;
    bool autoTicks = false;  // trackbar
    bool border = false;     // edit
    bool autoHScroll = false;
};

struct DialogTemplate {
    int id = 0;
    std::string title;     // Shift-JIS bytes
    int width = 0;         // dialog units
    int height = 0;
    std::string fontFace;  // Shift-JIS bytes
    int fontPoints = 0;
    bool modalFrame = true;
    bool sysMenu = true;
    bool extended = false;                  // an extended template
    std::vector<ControlTemplate> controls;  // in template order, which is the tab order
};

// The open dialog's controls, as the backend holds them. Valid only while the dialog runs.
class DialogControls {
public:
    virtual ~DialogControls() = default;

    virtual std::string GetText(int id) = 0;  // Shift-JIS bytes
    virtual void SetText(int id, const std::string& text) = 0;
    virtual int GetCheck(int id) = 0;  // 0 unticked, 1 ticked
    virtual void SetCheck(int id, int state) = 0;
    // Selects the whole text of an edit and gives it the focus.
    virtual void SelectText(int id) = 0;

    virtual void TrackbarSetRange(int id, int min, int max, bool redraw) = 0;
    virtual void TrackbarSetTicFreq(int id, int frequency) = 0;
    virtual void TrackbarSetPageSize(int id, int size) = 0;
    virtual void TrackbarSetLineSize(int id, int size) = 0;
    virtual void TrackbarSetPos(int id, int pos, bool redraw) = 0;
    virtual int TrackbarGetPos(int id) = 0;

    // The dialog's own top-level window, for walking the z-order below it.
    virtual WindowId DialogWindow() = 0;
    // Closes the dialog; RunDialog returns `result`.
    virtual void EndDialog(int result) = 0;
};

// What the core implements for one dialog. The backend calls these while the dialog runs.
class DialogModel {
public:
    virtual ~DialogModel() = default;

    virtual const DialogTemplate& Template() const = 0;
    // The controls exist; the model writes its fields into them. Returns true to let the
    // backend give the focus to the first tab stop.
    virtual bool OnInitDialog(DialogControls& controls) = 0;
    // A button was pressed (kBnClicked; OK is kIdOk, Cancel, Esc and the close box are
    // kIdCancel) or an edit changed (kEnChange). Changes the model makes itself through
    // SetText do not come back here.
    virtual void OnCommand(DialogControls& controls, int id, int notifyCode) = 0;
    // A trackbar moved: the scroll code and, for the thumb codes, the thumb position.
    virtual void OnHScroll(DialogControls& controls, int code, int thumbPos, int controlId) = 0;
};

}  // namespace mascot
