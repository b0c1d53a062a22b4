#pragma once

#include <string>

namespace mascot {

class ProgramInfo {
public:
    virtual ~ProgramInfo() = default;
    // The full path of the running executable, as the platform spells it.
    virtual std::string ExecutablePath() = 0;
    // The bytes that separate directories in such a path ("/" on POSIX; "\\" and ":" on
    // Windows, where a drive letter ends with a colon).
    virtual std::string PathSeparators() = 0;
};

}  // namespace mascot
