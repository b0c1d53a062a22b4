#include "tools/kqtool/RunSession.h"

#include <cinttypes>
#include <filesystem>

#include "app/MainFrame.h"
#include "app/MascotTrace.h"
#include "app/SettingsStore.h"
#include "platform/sim/SimWindow.h"
#include "tools/common/Png.h"
#include "tools/common/Sjis.h"
#include "tools/kqtool/RunTrace.h"

namespace mascot::kqtool {
namespace {

constexpr const char* kDataType = "KQ32";
constexpr uint16_t kDataId = 130;
constexpr const char* kForegroundTitle = "Editor";
constexpr const char* kForegroundClass = "EditorWnd";

// The settings dialog's controls.
constexpr int kIdPositionEdit = 1002;
constexpr int kIdFrontCheck = 1006;
constexpr int kIdFirstModeRadio = 1007;

Point Centre(const SimWindow& window) {
    const Rect rect = window.ScreenRect();
    return Point{rect.Width() / 2, rect.Height() / 2};
}

}  // namespace

RunSession::RunSession(const RunOptions& options, const std::string& programDir, std::FILE* out)
    : m_options(options), m_programDir(programDir), m_out(out), m_sim(programDir) {}

RunSession::~RunSession() {
    m_sim.desktop.Log().SetObserver(nullptr);
    m_app.reset();
}

bool RunSession::WriteSettings(std::string& error) {
    SettingsStore store(m_sim.files, m_options.tag);
    store.OpenSettingsStore(m_programDir);
    const std::pair<const char*, const std::optional<int32_t>&> settings[] = {
        {"Fixed", m_options.fixed}, {"Position", m_options.position}, {"Pattern", m_options.pattern}};
    for (const auto& [key, value] : settings) {
        if (value && !store.WriteSettingInt(key, *value)) {
            error = "cannot write " + store.Path().value_or(m_programDir + kSettingsFileName);
            return false;
        }
    }
    return true;
}

void RunSession::SetUpDesktop() {
    m_sim.desktop.AddTaskbar(m_options.taskbar);
    if (m_options.foreground) {
        const WindowId editor =
            m_sim.desktop.AddWindow(*m_options.foreground, kForegroundTitle, kForegroundClass);
        m_sim.desktop.SetForeground(editor);
    }
}

bool RunSession::Run(std::vector<uint8_t> container) {
    m_sim.resources.Add(kDataType, kDataId, std::move(container));
    SetUpDesktop();
    AppConfig config;
    config.characterTag = m_options.tag;
    config.randomSeed = m_options.seed;
    m_app = std::make_unique<CMascotApp>(m_sim.ports, config);
    m_app->SetTraceObserver([this](const MascotEvent& event) { OnCoreEvent(event); });
    m_sim.desktop.Log().SetObserver([this](const SimEvent& event) { OnDesktopEvent(event); });
    ScheduleInputs();
    m_sim.desktop.SetRunLimit(m_options.durationMs);
    // What the framework's entry does; the loop closes the mascot at the limit as a user would.
    const bool started = m_app->InitInstance();
    if (started)
        m_sim.desktop.Run();
    m_app->DeleteMainWindow();
    m_app->ExitInstance();
    m_sim.desktop.Log().SetObserver(nullptr);
    std::fflush(m_out);
    return started;
}

// --- The simulated user -----------------------------------------------------------------------

SimWindow* RunSession::Mascot() {
    CMainFrame* frame = m_app ? m_app->MainWindow() : nullptr;
    auto* window = frame ? static_cast<SimWindow*>(frame->GetWindow()) : nullptr;
    return window && !window->IsDestroyed() ? window : nullptr;
}

// Nobody can press a window that is not on the screen.
SimWindow* RunSession::PressableMascot(const char* option, uint64_t at) {
    SimWindow* window = Mascot();
    if (window && window->IsVisible())
        return window;
    std::fprintf(stderr,
                 "kqtool run: %s at %" PRIu64 " ms: the mascot is not on the screen; nothing pressed\n",
                 option, at);
    return nullptr;
}

void RunSession::ScheduleInputs() {
    SimDesktop& desktop = m_sim.desktop;
    for (const uint64_t at : m_options.clicks)
        ScheduleClick(at);
    for (const RunOptions::CommandAt& command : m_options.commands)
        desktop.ScheduleAt(command.at, [this, id = command.id] {
            if (SimWindow* window = Mascot())
                m_sim.desktop.PostCommand(window->Id(), id);
        });
    for (const RunOptions::DragAt& drag : m_options.drags)
        ScheduleDrag(drag.at, drag.dx);
    for (const SettingsAnswer& answer : m_options.settings)
        ScheduleSettings(answer);
}

// The press and the release are two input events: what the press posts (a paint, say) is
// handled between them, as on a real desktop.
void RunSession::ScheduleClick(uint64_t at) {
    auto pressed = std::make_shared<bool>(false);
    m_sim.desktop.ScheduleAt(at, [this, at, pressed] {
        if (SimWindow* window = PressableMascot("--click", at)) {
            *pressed = true;
            m_sim.desktop.LeftPress(window->Id(), Centre(*window));
        }
    });
    m_sim.desktop.ScheduleAt(at, [this, pressed] {
        if (SimWindow* window = *pressed ? Mascot() : nullptr)
            m_sim.desktop.LeftRelease(window->Id(), Centre(*window));
    });
}

// A press at the centre, a one-pixel move that starts the drag, then the move loop carries the
// window (and the cursor) DX pixels; the loop's own release ends it.
void RunSession::ScheduleDrag(uint64_t at, int32_t dx) {
    auto pressed = std::make_shared<bool>(false);
    m_sim.desktop.ScheduleAt(at, [this, at, pressed] {
        if (SimWindow* window = PressableMascot("--drag", at)) {
            *pressed = true;
            m_sim.desktop.LeftPress(window->Id(), Centre(*window));
        }
    });
    m_sim.desktop.ScheduleAt(at, [this, pressed, dx] {
        SimWindow* window = *pressed ? Mascot() : nullptr;
        if (!window)
            return;
        Point point = Centre(*window);
        if (dx == 0) {
            m_sim.desktop.LeftRelease(window->Id(), point);
            return;
        }
        m_sim.desktop.ScriptMoveLoop(SimDesktop::MoveLoopScript{kDragMs, Point{dx, 0}});
        point.x += dx > 0 ? 1 : -1;
        m_sim.desktop.MouseMove(window->Id(), point);
        m_sim.desktop.NextMoveScript();  // a drag that did not start leaves no loop behind
    });
}

// The settings command from the context menu, as a person chooses it, and the dialog answered
// by its controls. The dialog's script is dropped when no dialog opened for it.
void RunSession::ScheduleSettings(const SettingsAnswer& answer) {
    m_sim.desktop.ScheduleAt(answer.at, [this, answer] {
        SimWindow* window = PressableMascot("--settings", answer.at);
        if (!window)
            return;
        const size_t dialogsBefore = m_sim.ui.Dialogs().size();
        m_sim.ui.ScriptDialog(SettingsActions(answer));
        m_sim.desktop.ScriptMenu(SimDesktop::MenuScript{0, ID_SETTINGS});
        m_sim.desktop.RightPress(window->Id(), Centre(*window));
        m_sim.desktop.NextMenuScript();  // a menu that did not open leaves no choice behind
        // The chosen command is posted: let it through now, so that its dialog has run by the
        // check below. Nothing else would come before it.
        m_sim.desktop.RunNested(0);
        if (m_sim.ui.Dialogs().size() != dialogsBefore)
            return;
        std::fprintf(stderr, "kqtool run: --settings at %" PRIu64 " ms: the settings dialog did not open\n",
                     answer.at);
        m_sim.ui.DropDialogScripts();
    });
}

// What a person does in the settings dialog for `answer`.
std::vector<DialogAction> RunSession::SettingsActions(const SettingsAnswer& answer) const {
    std::vector<DialogAction> actions;
    if (answer.position)
        actions.push_back(DialogAction::Type(kIdPositionEdit, *answer.position));
    if (answer.fixed)
        actions.push_back(DialogAction::Click(kIdFirstModeRadio + *answer.fixed));
    // The check box starts as the setting is; a click turns it the other way.
    if (answer.topMost && (m_app->m_bTopMost != 0) != (*answer.topMost != 0))
        actions.push_back(DialogAction::Click(kIdFrontCheck));
    actions.push_back(DialogAction::Click(answer.ok ? kIdOk : kIdCancel));
    return actions;
}

// --- What is printed --------------------------------------------------------------------------

void RunSession::Print(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), m_out);
    std::fputc('\n', m_out);
}

void RunSession::OnCoreEvent(const MascotEvent& event) {
    Print(CoreEventLine(m_sim.desktop.Now(), event));
}

void RunSession::OnDesktopEvent(const SimEvent& event) {
    if (event.kind == SimEvent::Kind::MessageBox) {
        std::fprintf(stderr, "kqtool run: at %" PRIu64 " ms the program shows a message: %s\n", event.time,
                     SjisToUtf8Lossy(event.text).c_str());
        return;
    }
    if (event.kind == SimEvent::Kind::Dialog) {
        Print(*DesktopEventLine(event));
        return;
    }
    const SimWindow* window = m_sim.desktop.MascotWindow(event.window);
    if (!window)
        return;  // other windows' events are not the mascot's
    if (event.kind == SimEvent::Kind::Menu && window->LastMenu())
        Print(MenuLine(event.time, *window->LastMenu()));
    else if (event.kind == SimEvent::Kind::Present)
        WriteFrame(*window, event.time);
    else if (const auto line = DesktopEventLine(event))
        Print(*line);
}

void RunSession::WriteFrame(const SimWindow& window, uint64_t t) {
    if (!m_options.framesDir || m_framesFailed || !window.LastFrame())
        return;
    char name[64];
    std::snprintf(name, sizeof name, "frame-%06" PRIu64 "-%04d.png", t, ++m_frames);
    const std::string path = (std::filesystem::path(*m_options.framesDir) / name).string();
    const Picture picture = PictureOfWindow(*window.LastFrame(), window.Shape() ? &*window.Shape() : nullptr);
    std::string error;
    if (!WritePng(path, picture, &error)) {
        std::fprintf(stderr, "kqtool run: cannot write %s: %s; no further frames are written\n", path.c_str(),
                     error.c_str());
        m_framesFailed = true;
    }
}

}  // namespace mascot::kqtool
