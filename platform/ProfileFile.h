#pragma once

#include <string>

namespace mascot {

// The framework-style profile of the program (a file named after the executable with ".INI",
// kept where the platform keeps such files), into which scripts may write integers.
class ProfileFile {
public:
    virtual ~ProfileFile() = default;
    // Writes `value` as decimal text under `key` in `section`; returns whether it was written.
    virtual bool WriteInt(const std::string& section, const std::string& key, int32_t value) = 0;
};

}  // namespace mascot
