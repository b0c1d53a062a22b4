// Modal user interface: message boxes, the two dialogs and the open-file dialog.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace mascot {

class DialogModel;

enum class MessageBoxButtons { Ok, YesNo };
enum class MessageBoxIcon { None, Exclamation, Information };
enum class MessageBoxResult { Ok, Yes, No, Cancel };

struct OpenFileRequest {
    std::string title;        // Shift-JIS bytes
    std::string filter;       // "description|pattern|...|" pairs; "|" separates, as frameworks write it
    std::string initialName;  // e.g. "*.kq"
    std::string defaultExt;   // without the dot
    bool fileMustExist = true;
    bool hideReadOnly = true;
};

class Ui {
public:
    virtual ~Ui() = default;

    // A modal message box; texts are Shift-JIS bytes, a line feed starts a new line.
    virtual MessageBoxResult MessageBox(const std::string& text, const std::string& caption,
                                        MessageBoxButtons buttons, MessageBoxIcon icon) = 0;
    // Runs a modal dialog on the model, centred on the work area, and returns the result the
    // model passed to DialogControls::EndDialog (kIdCancel when the user closed it otherwise).
    // Timers keep firing while it runs.
    virtual int RunDialog(DialogModel& model) = 0;
    // The open-file dialog; the chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> ChooseOpenFile(const OpenFileRequest& request) = 0;
};

}  // namespace mascot
