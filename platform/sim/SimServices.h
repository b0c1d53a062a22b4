// The small services of the simulated desktop: program launch, the framework-style profile and
// the program's path. Each records what it was asked.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Launcher.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramInfo.h"

namespace mascot {

class SimLog;
class SimClock;

class SimLauncher final : public Launcher {
public:
    SimLauncher(SimLog& log, SimClock& clock) : m_log(log), m_clock(clock) {}
    bool Launch(const std::string& commandLine) override;
    const std::vector<std::string>& Launched() const { return m_launched; }

private:
    SimLog& m_log;
    SimClock& m_clock;
    std::vector<std::string> m_launched;
};

class SimProfileFile final : public ProfileFile {
public:
    SimProfileFile(SimLog& log, SimClock& clock) : m_log(log), m_clock(clock) {}
    bool WriteInt(const std::string& section, const std::string& key, int32_t value) override;
    // The value last written under section and key (compared without regard to case, as the
    // profile functions compare them), or nothing.
    std::optional<int32_t> Value(const std::string& section, const std::string& key) const;

private:
    SimLog& m_log;
    SimClock& m_clock;
    std::map<std::pair<std::string, std::string>, int32_t> m_values;
};

class SimProgramInfo final : public ProgramInfo {
public:
    explicit SimProgramInfo(std::string path = "/opt/mascot/mascot") : m_path(std::move(path)) {}
    void SetExecutablePath(std::string path) { m_path = std::move(path); }
    std::string ExecutablePath() override { return m_path; }
    std::string PathSeparators() override { return "/"; }

private:
    std::string m_path;
};

}  // namespace mascot
