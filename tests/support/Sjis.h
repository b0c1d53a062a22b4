#pragma once

#include <string>

#include "tools/common/Sjis.h"

namespace mascot::test {

inline std::string SjisToUtf8(const std::string& sjis) { return SjisToUtf8Lossy(sjis); }

inline std::string Utf8ToSjis(const std::string& utf8) { return TryUtf8ToSjis(utf8).value_or("<not Shift-JIS>"); }

}  // namespace mascot::test
