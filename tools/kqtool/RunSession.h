// One headless run of a character for `kqtool run`: the real application and mascot window on
// the simulated desktop, the simulated user acting at the times the options name, and every
// event printed as a JSON line the moment it happens.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/MascotApp.h"
#include "platform/sim/SimPlatform.h"
#include "tools/kqtool/RunOptions.h"

namespace mascot {
class SimWindow;
struct MascotEvent;
struct SimEvent;
}  // namespace mascot

namespace mascot::kqtool {

// How long a drag's move loop lasts; the timers keep firing meanwhile.
inline constexpr uint64_t kDragMs = 200;

class RunSession {
public:
    // `programDir` ends with "/"; lines go to `out`.
    RunSession(const RunOptions& options, const std::string& programDir, std::FILE* out);
    ~RunSession();
    RunSession(const RunSession&) = delete;
    RunSession& operator=(const RunSession&) = delete;

    // Writes the settings the options give into the settings file, as if the user had them
    // there before the start. False, with the reason in `error`, when the file cannot be written.
    bool WriteSettings(std::string& error);
    // Embeds `container` as the program's data, starts the program, runs it for the options'
    // time, closes the mascot as the user would and runs the exit processing. False when the
    // program could not start on the data.
    bool Run(std::vector<uint8_t> container);
    // A frame picture could not be written (the run went on without pictures).
    bool FramesFailed() const { return m_framesFailed; }

private:
    void SetUpDesktop();
    void ScheduleInputs();
    void ScheduleClick(uint64_t at);
    void ScheduleDrag(uint64_t at, int32_t dx);
    void ScheduleSettings(const SettingsAnswer& answer);
    std::vector<DialogAction> SettingsActions(const SettingsAnswer& answer) const;
    void OnCoreEvent(const MascotEvent& event);
    void OnDesktopEvent(const SimEvent& event);
    void WriteFrame(const SimWindow& window, uint64_t t);
    void Print(const std::string& line);
    // The mascot window while it exists.
    SimWindow* Mascot();
    // The mascot window when a person could press it now; otherwise says why not on stderr.
    SimWindow* PressableMascot(const char* option, uint64_t at);

    const RunOptions& m_options;
    std::string m_programDir;
    std::FILE* m_out;
    SimPlatform m_sim;
    std::unique_ptr<CMascotApp> m_app;
    int m_frames = 0;
    bool m_framesFailed = false;
};

}  // namespace mascot::kqtool
