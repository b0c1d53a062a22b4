#include "app/SettingsStore.h"

#include "app/ProfileText.h"
#include "platform/FileSystem.h"

namespace mascot {

SettingsStore::SettingsStore(FileSystem& files, std::string characterTag)
    : m_files(files), m_section(kSettingsSectionPrefix + std::move(characterTag)) {}

bool SettingsStore::OpenSettingsStore(const std::optional<std::string>& programDir) {
    if (!programDir || programDir->empty()) {
        m_path.reset();
        return false;
    }
    m_path = *programDir + kSettingsFileName;
    return true;
}

int32_t SettingsStore::ReadSettingInt(const std::string& key, int32_t defaultValue) {
    if (!m_path)
        return defaultValue;
    const auto bytes = m_files.ReadFile(*m_path);
    if (!bytes)
        return defaultValue;
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    const auto value = ProfileLookup(text, m_section, key);
    if (!value || value->empty())
        return defaultValue;
    return ProfileParseInt(*value);
}

bool SettingsStore::WriteSettingInt(const std::string& key, int32_t value) {
    if (!m_path)
        return false;
    const std::string text = std::to_string(value);
    return m_files.UpdateFile(*m_path, [&](const std::optional<std::string>& current) {
        return std::optional<std::string>(ProfileWrite(current, m_section, key, text));
    });
}

}  // namespace mascot
