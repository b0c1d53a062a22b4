// The program's persistent settings: integers in "savedata.dat" in the program directory, one
// section per character build ("Mascot-" and the build's character tag), so that several
// characters installed in one directory share the file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace mascot {

class FileSystem;

inline constexpr const char* kSettingsFileName = "savedata.dat";
inline constexpr const char* kSettingsSectionPrefix = "Mascot-";

class SettingsStore {
public:
    // `characterTag` is the build's upper-case ASCII word (at most 8 characters).
    SettingsStore(FileSystem& files, std::string characterTag);

    // Forms the file's path from the program directory; with an empty (or no) directory no path
    // is formed and false comes back. From then on reads give their defaults and writes do
    // nothing, rather than touching a file in whatever the current directory happens to be.
    bool OpenSettingsStore(const std::optional<std::string>& programDir);

    // The key's value in the build's section, or `defaultValue` when the file, the section or
    // the key is missing, the file cannot be read, or the key is present with an empty value.
    // Other texts are parsed as the platform's profile reader does (see ProfileParseInt).
    int32_t ReadSettingInt(const std::string& key, int32_t defaultValue);

    // Stores `value` as "%d" under the key, creating the file, the section or the key as
    // needed and leaving every other section, key, comment and blank line as it was. Several
    // running mascots share the file, so the write is a locked read-modify-write that replaces
    // the file atomically: no writer loses another's keys and no reader sees half a file.
    bool WriteSettingInt(const std::string& key, int32_t value);

    const std::string& Section() const { return m_section; }
    const std::optional<std::string>& Path() const { return m_path; }

private:
    FileSystem& m_files;
    std::string m_section;
    std::optional<std::string> m_path;
};

}  // namespace mascot
