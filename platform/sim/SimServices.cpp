#include "platform/sim/SimServices.h"

#include <algorithm>

#include "platform/sim/SimClock.h"
#include "platform/sim/SimLog.h"

namespace mascot {
namespace {

std::string Folded(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

}  // namespace

bool SimLauncher::Launch(const std::string& commandLine) {
    m_launched.push_back(commandLine);
    m_log.Add({m_clock.Elapsed(), SimEvent::Kind::Launch, WindowId(), 0, 0, commandLine});
    return true;
}

bool SimProfileFile::WriteInt(const std::string& section, const std::string& key, int32_t value) {
    m_values[{Folded(section), Folded(key)}] = value;
    m_log.Add({m_clock.Elapsed(), SimEvent::Kind::Profile, WindowId(), value, 0, section + "\n" + key});
    return true;
}

std::optional<int32_t> SimProfileFile::Value(const std::string& section, const std::string& key) const {
    const auto it = m_values.find({Folded(section), Folded(key)});
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

}  // namespace mascot
