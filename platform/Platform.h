// Every port the core uses, wired once by each executable's composition root.
#pragma once

#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/Launcher.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramInfo.h"
#include "platform/Resources.h"
#include "platform/TextRenderer.h"
#include "platform/Ui.h"

namespace mascot {

struct Platform {
    Desktop& desktop;
    EventLoop& loop;
    Ui& ui;
    Audio& audio;
    TextRenderer& text;
    Clock& clock;
    Launcher& launcher;
    Resources& resources;
    ProfileFile& profile;
    FileSystem& files;
    ProgramInfo& program;
};

}  // namespace mascot
