// The whole program on the simulated desktop: a character container made in a few lines, the
// real CMascotApp and CMainFrame, a program directory that is a fresh temporary directory.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/Globals.h"
#include "app/MainFrame.h"
#include "app/MascotApp.h"
#include "data/ContainerWriter.h"
#include "data/DibWriter.h"
#include "platform/sim/SimPlatform.h"
#include "platform/sim/SimWindow.h"
#include "support/ScriptAsm.h"
#include "support/TempDir.h"

namespace mascot::test {

inline constexpr uint16_t kFrameWidth = 112;
inline constexpr uint16_t kFrameHeight = 160;

// Frame 0: a full-frame 8-bit picture (colour = row / 10); frame 1: a 32 x 32 overlay at
// (48, 48) in colour 200; frame 2: a mask whose inside is the lower half of the frame; frame 3:
// a full-frame 24-bit picture.
inline ContainerWriter CharacterWriter(uint16_t version = 302) {
    std::vector<uint32_t> palette(256);
    for (uint32_t i = 0; i < 256; ++i)
        palette[i] = (i << 16) | ((255 - i) << 8) | (i / 2);
    std::vector<uint8_t> full(kFrameWidth * kFrameHeight);
    for (int y = 0; y < kFrameHeight; ++y)
        for (int x = 0; x < kFrameWidth; ++x)
            full[y * kFrameWidth + x] = static_cast<uint8_t>(y / 10);
    const std::vector<uint8_t> overlay(32 * 32, 200);
    std::vector<uint8_t> mask(kFrameWidth * kFrameHeight, 1);
    for (int y = kFrameHeight / 2; y < kFrameHeight; ++y)
        for (int x = 0; x < kFrameWidth; ++x)
            mask[y * kFrameWidth + x] = 0;
    const std::vector<uint32_t> rgb(kFrameWidth * kFrameHeight, 0x336699);
    ContainerWriter writer;
    writer.SetVersion(version)
        .SetFrameSize(kFrameWidth, kFrameHeight)
        .SetTitle("Tester")
        .SetAboutText("A test character")
        .SetDefaults(1, 90)
        .AddImage(0, 0, MakeIndexedDib(kFrameWidth, kFrameHeight, 8, palette, full))
        .AddImage(48, 48, MakeIndexedDib(32, 32, 8, palette, overlay))
        .AddImage(0, 0, MakeMaskDib(kFrameWidth, kFrameHeight, mask))
        .AddImage(0, 0, MakeRgbDib(kFrameWidth, kFrameHeight, rgb));
    return writer;
}

// A pattern that draws, shapes itself, rises 117 pixels and then animates forever.
inline constexpr std::string_view kIdlePattern =
    "Name \"idle\"\n"
    " MakeShape 'b', 2\n"
    " Let v10, v0\n"
    " ClearClick\n"
    " SetShape v10\n"
    " SetHeight 117\n"
    " OnClick clicked\n"
    "loop:\n"
    " Draw 0\n"
    " Wait 50\n"
    " Draw 1\n"
    " Wait 50\n"
    " Goto loop\n"
    "clicked:\n"
    " Let v20, 1\n"
    " Draw 1\n"
    " Wait 500\n"
    " Goto loop\n";

class MascotSim {
public:
    TempDir dir;
    std::unique_ptr<SimPlatform> sim = std::make_unique<SimPlatform>(dir.Dir());
    std::unique_ptr<CMascotApp> app;
    AppConfig config;

    MascotSim() {
        g_soundMuted = 0;
        config.characterTag = "TEST";
        config.randomSeed = 1;
    }
    ~MascotSim() {
        app.reset();
        g_programDir.reset();
        g_soundMuted = 0;
    }

    // Embeds a container of the given patterns (assembled for `version`).
    void Embed(const std::vector<std::string_view>& patterns, uint16_t version = 302) {
        ContainerWriter writer = CharacterWriter(version);
        for (std::string_view text : patterns)
            writer.AddPattern(Asm(text, version));
        EmbedBytes(writer.Build().bytes);
    }
    void EmbedBytes(std::vector<uint8_t> bytes) { sim->resources.Add("KQ32", 130, std::move(bytes)); }

    // The desktop most tests want: an editor in the foreground and a taskbar at the bottom.
    WindowId AddEditor(const Rect& rect = Rect{200, 300, 612, 800}, const std::string& title = "Editor") {
        const WindowId editor = sim->desktop.AddWindow(rect, title, "EditorWnd");
        sim->desktop.SetForeground(editor);
        return editor;
    }

    bool Start() {
        app = std::make_unique<CMascotApp>(sim->ports, config);
        return app->InitInstance();
    }
    // Closes the window as the user would and runs the rest of the program's life.
    void Finish() {
        if (Frame() && Wnd() && !Wnd()->IsDestroyed()) {
            Wnd()->PostClose();
            sim->desktop.RunFor(1);
        }
        app->DeleteMainWindow();
        app->ExitInstance();
    }

    CMainFrame* Frame() { return app ? app->MainWindow() : nullptr; }
    SimWindow* Wnd() { return Frame() ? static_cast<SimWindow*>(Frame()->GetWindow()) : nullptr; }
    WindowId Id() { return Wnd()->Id(); }
    SimDesktop& Desktop() { return sim->desktop; }
    void RunUntil(uint64_t ms) { sim->desktop.RunUntil(ms); }
    std::vector<SimEvent> Events(SimEvent::Kind kind) const { return sim->desktop.Log().Of(kind); }
    std::string SettingsFile() const { return dir.Read("savedata.dat"); }
};

}  // namespace mascot::test
