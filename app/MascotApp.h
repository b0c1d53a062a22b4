// The application object: the first thing that runs and the last that stops. It derives the
// program directory, opens the settings store, seeds the random generator, reads the settings
// that live for the whole run, creates the one mascot window and, at the end, writes the
// settings back.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/MascotTrace.h"
#include "app/SettingsStore.h"
#include "data/DataLoader.h"

namespace mascot {

struct Platform;
class CMainFrame;

// What a build fixes about itself.
struct AppConfig {
    std::string characterTag = "DEFAULT";  // names the build's section of the settings file
    int archiveMode = 0;                   // where content files come from
    bool embeddedData = true;              // the container is embedded (else an external file)
    // Seeds the generator in place of the tick count (for reproducible simulated runs).
    std::optional<uint32_t> randomSeed;
};

inline constexpr uint32_t ID_APP_ABOUT = 57664;
inline constexpr uint32_t ID_APP_EXIT = 57665;

// The data-file name, its flag and the title copy come from DataFileState, which the data loader
// updates.
class CMascotApp : public DataFileState {
public:
    CMascotApp(Platform& platform, AppConfig config);
    ~CMascotApp();
    CMascotApp(const CMascotApp&) = delete;
    CMascotApp& operator=(const CMascotApp&) = delete;

    // What the framework's entry does: InitInstance; on success the message loop, then the
    // window object is deleted; ExitInstance in either case. Returns the exit code.
    int Run();

    // Start-up; false stops the program (after ExitInstance has written the settings).
    bool InitInstance();
    // Shut-down: writes the five saved settings and frees the program directory. Safe to run
    // twice (the end of a session may call it before the normal exit does).
    int ExitInstance();
    // Writes "TopMost", "Position", "Pattern", "Fixed" and "UseSound"; never "AutoAnimation".
    void SaveSettings();

    // Commands the mascot window does not handle itself. The standard exit command closes the
    // main window, which saves position and pattern on its way out.
    void OnCommand(uint32_t id);
    // The framework's default profile (a file named after the executable), for scripts.
    bool WriteProfileInt(const std::string& section, const std::string& key, int32_t value);

    Platform& GetPlatform() { return m_platform; }
    const AppConfig& Config() const { return m_config; }
    SettingsStore& Settings() { return m_settings; }
    CMainFrame* MainWindow() { return m_pMainWnd.get(); }
    // Handed to the mascot window when start-up creates it, so that its first pattern choice is
    // told too (see app/MascotTrace.h).
    void SetTraceObserver(MascotObserver observer) { m_trace = std::move(observer); }
    // Deletes the window object once its platform window is gone.
    void DeleteMainWindow();

    // The settings of the run.
    int32_t m_bUseSound = 0;
    int32_t m_bTopMost = 0;
    int32_t m_nFixed = 0;
    int32_t m_bAutoAnimation = 0;
    int32_t m_nSavedPattern = 0;
    int32_t m_nSavedPosition = 0;

private:
    Platform& m_platform;
    AppConfig m_config;
    SettingsStore m_settings;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    MascotObserver m_trace;
};

// Derives g_programDir from the executable's path, stores the archive mode and, in modes 1 and
// 2, loads the archive index. Returns whether a directory was found.
bool InitProgramDir(Platform& platform, int archiveMode);
// Frees the archive index and the program directory. Safe to call twice.
void FreeProgramDir();

}  // namespace mascot
