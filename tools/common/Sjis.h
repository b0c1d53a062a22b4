// Shift-JIS (code page 932) to and from UTF-8, for the places where a person reads or writes a
// mascot's texts: the tools' output and input, and test messages.
#pragma once

#include <optional>
#include <string>

namespace mascot {

// Converts Shift-JIS bytes to UTF-8. Nothing when a byte sequence is not valid Shift-JIS.
std::optional<std::string> TrySjisToUtf8(const std::string& sjis);
// Converts UTF-8 to Shift-JIS. Nothing when a character has no Shift-JIS form.
std::optional<std::string> TryUtf8ToSjis(const std::string& utf8);

// For display: invalid bytes become "\xNN" escapes instead of failing.
std::string SjisToUtf8Lossy(const std::string& sjis);

}  // namespace mascot
