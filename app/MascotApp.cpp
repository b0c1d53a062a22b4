#include "app/MascotApp.h"

#include "app/Globals.h"
#include "app/MainFrame.h"
#include "app/ProgramDir.h"
#include "app/Random.h"
#include "platform/Platform.h"
#include "sound/Archive.h"

namespace mascot {

bool InitProgramDir(Platform& platform, int archiveMode) {
    g_programDir = ProgramDirFromPath(platform.program.ExecutablePath(), platform.program.PathSeparators());
    g_archiveMode = archiveMode;
    if (archiveMode == 1 || archiveMode == 2)
        LoadArchiveIndex(archiveMode, platform.files);
    return !g_programDir->empty();
}

void FreeProgramDir() {
    FreeArchiveIndex();
    g_programDir.reset();
}

CMascotApp::CMascotApp(Platform& platform, AppConfig config)
    : m_platform(platform), m_config(std::move(config)), m_settings(platform.files, m_config.characterTag) {
    // Before start-up no data-file name is known.
    m_strDataFile.clear();
    m_bDataNamed = 0;
}

CMascotApp::~CMascotApp() = default;

int CMascotApp::Run() {
    if (InitInstance())
        m_platform.loop.Run();
    DeleteMainWindow();
    return ExitInstance();
}

bool CMascotApp::InitInstance() {
    // Three-dimensional dialog controls are the platform's own look everywhere now.
    g_hInstance = &m_platform.resources;
    InitProgramDir(m_platform, m_config.archiveMode);
    m_settings.OpenSettingsStore(g_programDir);
    Srand(m_config.randomSeed.value_or(m_platform.clock.TickCount()));
    m_strDataFile = kInitialDataFileName;

    m_bAutoAnimation = m_settings.ReadSettingInt("AutoAnimation", 1);
    m_bTopMost = m_settings.ReadSettingInt("TopMost", 0);
    m_bUseSound = m_settings.ReadSettingInt("UseSound", 0);
    if (!m_strDataFile.empty()) {
        m_nSavedPosition = m_settings.ReadSettingInt("Position", 90);
        m_nSavedPattern = m_settings.ReadSettingInt("Pattern", 0);
        m_nFixed = m_settings.ReadSettingInt("Fixed", 0);
        m_bDataNamed = 1;
    }
    if (m_bUseSound == 0)
        g_soundMuted = 1;

    m_pMainWnd = std::make_unique<CMainFrame>(*this);
    m_pMainWnd->SetTraceObserver(m_trace);
    if (!m_pMainWnd->CreateMascot()) {
        DeleteMainWindow();
        return false;
    }
    return true;
}

int CMascotApp::ExitInstance() {
    SaveSettings();
    FreeProgramDir();
    return 0;
}

void CMascotApp::SaveSettings() {
    m_settings.WriteSettingInt("TopMost", m_bTopMost);
    m_settings.WriteSettingInt("Position", m_nSavedPosition);
    m_settings.WriteSettingInt("Pattern", m_nSavedPattern);
    m_settings.WriteSettingInt("Fixed", m_nFixed);
    m_settings.WriteSettingInt("UseSound", m_bUseSound);
}

void CMascotApp::OnCommand(uint32_t id) {
    if (id == ID_APP_EXIT && m_pMainWnd)
        m_pMainWnd->OnClose();
}

bool CMascotApp::WriteProfileInt(const std::string& section, const std::string& key, int32_t value) {
    return m_platform.profile.WriteInt(section, key, value);
}

void CMascotApp::DeleteMainWindow() { m_pMainWnd.reset(); }

}  // namespace mascot
