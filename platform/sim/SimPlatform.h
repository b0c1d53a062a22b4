// The composition root of the simulated desktop: every port, wired once, for tests and for
// `kqtool run`. Files are real files (the program directory is a real directory), everything
// else is simulated.
#pragma once

#include <string>

#include "platform/Platform.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/sim/SimAudio.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimResources.h"
#include "platform/sim/SimServices.h"
#include "platform/sim/SimText.h"
#include "platform/sim/SimUi.h"

namespace mascot {

class SimPlatform {
public:
    // `programDir` ends with "/"; the simulated executable lies in it.
    explicit SimPlatform(const std::string& programDir = "/opt/mascot/")
        : program(programDir + "mascot") {}
    SimPlatform(const SimPlatform&) = delete;
    SimPlatform& operator=(const SimPlatform&) = delete;

    SimClock clock;
    SimDesktop desktop{clock};
    SimUi ui{desktop};
    PosixFileSystem files;
    SimAudio audio{clock, files};
    SimTextRenderer text{desktop.Log(), clock};
    SimLauncher launcher{desktop.Log(), clock};
    SimResources resources;
    SimProfileFile profile{desktop.Log(), clock};
    SimProgramInfo program;
    Platform ports{desktop, desktop, ui, audio, text, clock, launcher, resources, profile, files, program};
};

}  // namespace mascot
