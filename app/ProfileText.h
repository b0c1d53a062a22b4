// The text of an INI profile file, read and edited the way the platform's profile functions do:
// sections and keys match without regard to ASCII case, the first matching section and key win,
// and an edit changes one line (or adds one) and leaves every other byte of the file alone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mascot {

// The value of `key` in `section`, with surrounding blanks removed (and one pair of surrounding
// double quotes); nothing when the section or the key is missing.
std::optional<std::string> ProfileLookup(std::string_view text, std::string_view section, std::string_view key);

// `text` with `key` in `section` set to `value`: an existing key keeps its line and its
// spelling and gets the new value; a missing key is added after the last entry of the section;
// a missing section is added at the end of the file. No file (nothing) counts as empty. Lines
// end the way the file's first line ends; a new file gets CR LF.
std::string ProfileWrite(const std::optional<std::string>& text, std::string_view section, std::string_view key,
                         std::string_view value);

// An integer as the platform's profile reader takes it: leading blanks and tabs are skipped, an
// optional sign follows, then decimal digits up to the first other character; no digit gives 0.
// The digits accumulate modulo 2^32 and the result is that value read as signed 32-bit, so a
// number beyond the 32-bit range wraps around rather than saturating.
int32_t ProfileParseInt(std::string_view value);

}  // namespace mascot
