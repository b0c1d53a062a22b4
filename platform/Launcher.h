#pragma once

#include <string>

namespace mascot {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts a program from a command line (program name first, arguments after it, split and
    // quoted as Windows command lines are), shown normally, without a shell. Does not wait.
    virtual bool Launch(const std::string& commandLine) = 0;
};

}  // namespace mascot
