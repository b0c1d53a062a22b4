// Loading the mascot data, as the mascot window does while it is created: from the program's
// embedded resource, or (a build-time option) from a data file the user may pick, checked
// before use with the system's messages.
//
// Two choices of this program:
// - A data file is read into a new buffer and replaces the container only once it has been
//   accepted, so a failed load (any message, or No to the question) leaves the window with the
//   container and views it had.
// - Data the program cannot start on (no resource, or one too short for its header and the
//   fixed parts of its two blocks, MascotData::IsUsable) is never read through: embedded data
//   makes LoadEmbeddedData fail without a message, so creation fails and start-up ends quietly;
//   a data file gets message M2, "the data is corrupted", before any question is asked.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "data/DataSource.h"

namespace mascot {

class FileSystem;
class Resources;
class Ui;

// Where the embedded container lies among the program's resources.
inline constexpr std::string_view kDataResourceType = "KQ32";
inline constexpr uint16_t kDataResourceId = 130;
// The data file name the program starts with.
inline constexpr std::string_view kInitialDataFileName = "xxx.xx";

// The build-time choice of where the data comes from; every character build embeds it.
enum class DataSourceKind { Embedded, File };

// The application object's part of loading; the application owns it, the loader updates it.
struct DataFileState {
    std::string m_strDataFile{kInitialDataFileName};
    // Whether a data file name is known: set at start-up because the initial name is not empty.
    int32_t m_bDataNamed = 1;
    // The title copy: the build's display name until data is loaded, then the table's title.
    std::string m_strTitle;
};

// What the mascot window does around a load.
struct DataLoaderHooks {
    // At the start of every file load: kill the script timer when it is armed, clear the flag.
    std::function<void()> stopScriptTimer;
    // After every successful load: start pattern 0 from its first byte; after a file load also
    // forget the click handler (-1).
    std::function<void(DataSourceKind)> dataLoaded;
};

class DataLoader {
public:
    // `caption` is the application title, the caption of every message box.
    DataLoader(Ui& ui, FileSystem& files, Resources& resources, DataFileState& state, std::string caption,
               DataLoaderHooks hooks = {});

    // The embedded resource, used in place and not validated. False (and nothing changed) when
    // the resource is missing or the data is not usable.
    bool LoadEmbeddedData();
    // Reads and checks a data file; shows its message and returns false when it is not taken.
    bool LoadDataFile(const std::string& path);
    // The open-file dialog, then LoadDataFile on the chosen path. False when cancelled (without
    // a message) or when the load fails (the dialog is not shown again).
    bool ChooseDataFile();
    // The order the window's creation follows; on success the title copy is the table's title.
    bool LoadForCreation(DataSourceKind kind);

    const DataSource& Source() const { return m_source; }
    const MascotData& Data() const { return m_source.Data(); }

private:
    bool Reject(std::string_view message);
    bool AskToContinue();
    void TakeTitle();

    Ui& m_ui;
    FileSystem& m_files;
    Resources& m_resources;
    DataFileState& m_state;
    std::string m_caption;
    DataLoaderHooks m_hooks;
    DataSource m_source;
};

}  // namespace mascot
