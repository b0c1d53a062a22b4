// Starting programs on POSIX systems the way scripts expect on their home platform: the command
// line is split into a program name and arguments by the rules the Windows C runtime uses, and
// the program is started directly, without a shell, so no character of it is ever interpreted
// by one.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Launcher.h"

namespace mascot {

// The program name and the arguments of `commandLine`, the program name first (empty when the
// line starts with a blank or is empty).
//  - Program name: up to the first blank (space or tab) outside double quotes; quotes toggle
//    and are dropped, backslashes are plain characters.
//  - Arguments: blanks outside quotes separate them; double quotes group and are dropped.
//    2n backslashes before a quote give n backslashes and the quote toggles; 2n + 1 give n
//    backslashes and a literal quote; backslashes before anything else are literal. Inside
//    quotes, "" gives a literal quote and the quotes go on.
//  - A Shift-JIS lead byte takes the byte after it along, so the second byte of a character
//    (which may be 0x5C) is never taken for a backslash.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

class PosixLauncher final : public Launcher {
public:
    // Starts the program, searched for in PATH when its name has no slash, and does not wait.
    bool Launch(const std::string& commandLine) override;
    // As Launch, returning the child's process id. The child is reaped when it ends (it never
    // lingers as a zombie), so the id may belong to nobody by the time the caller looks.
    std::optional<pid_t> Spawn(const std::string& commandLine);

private:
    // Children whose waiting thread could not be started: reaped without blocking at each launch.
    std::vector<pid_t> m_unwatched;
};

}  // namespace mascot
