// The program's one message loop.
#pragma once

namespace mascot {

class EventLoop {
public:
    virtual ~EventLoop() = default;

    // Delivers timers, input, posted messages and messages from other processes to the windows'
    // handlers until the main window is destroyed. Also delivers the end-of-session query and
    // notice. Returns the process exit code.
    virtual int Run() = 0;
};

}  // namespace mascot
