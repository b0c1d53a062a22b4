#include "data/DataLoader.h"

#include <utility>

#include "app/Texts.h"
#include "data/ContainerValidation.h"
#include "platform/FileSystem.h"
#include "platform/Resources.h"
#include "platform/Ui.h"

namespace mascot {

DataLoader::DataLoader(Ui& ui, FileSystem& files, Resources& resources, DataFileState& state,
                       std::string caption, DataLoaderHooks hooks)
    : m_ui(ui),
      m_files(files),
      m_resources(resources),
      m_state(state),
      m_caption(std::move(caption)),
      m_hooks(std::move(hooks)) {}

bool DataLoader::LoadEmbeddedData() {
    const auto bytes = m_resources.Find(std::string(kDataResourceType), kDataResourceId);
    if (!bytes || !ContainerIsUsable(*bytes))
        return false;
    m_source.Borrow(*bytes);
    if (m_hooks.dataLoaded)
        m_hooks.dataLoaded(DataSourceKind::Embedded);
    return true;
}

bool DataLoader::Reject(std::string_view message) {
    m_ui.MessageBox(std::string(message), m_caption, MessageBoxButtons::Ok, MessageBoxIcon::Exclamation);
    return false;
}

bool DataLoader::AskToContinue() {
    return m_ui.MessageBox(std::string(texts::kMsgMayBeCorrupted), m_caption, MessageBoxButtons::YesNo,
                           MessageBoxIcon::Exclamation) == MessageBoxResult::Yes;
}

bool DataLoader::LoadDataFile(const std::string& path) {
    if (m_hooks.stopScriptTimer)
        m_hooks.stopScriptTimer();
    // A new buffer: the container the window runs on stays until this one is accepted.
    std::optional<std::vector<uint8_t>> bytes = m_files.ReadFile(path);
    if (!bytes)
        return Reject(texts::kMsgCannotRead);
    const FileValidation validation = ValidateDataFile(*bytes);
    switch (validation.verdict) {
        case FileVerdict::Empty:
        case FileVerdict::Unusable:
            return Reject(texts::kMsgCorrupted);
        case FileVerdict::NotContainer:
            return Reject(texts::kMsgOldVersion);
        case FileVerdict::TooNew:
            return Reject(texts::kMsgProgramTooOld);
        case FileVerdict::Doubtful:
            if (!AskToContinue())
                return false;
            break;
        case FileVerdict::Ok:
            break;
    }
    m_source.Adopt(std::move(*bytes));
    m_state.m_bDataNamed = 1;
    if (m_hooks.dataLoaded)
        m_hooks.dataLoaded(DataSourceKind::File);
    return true;
}

bool DataLoader::ChooseDataFile() {
    OpenFileRequest request;
    request.title = std::string(texts::kFileDialogTitle);
    request.filter = std::string(texts::kFileDialogFilter);
    request.initialName = std::string(texts::kFileDialogInitialName);
    request.defaultExt = std::string(texts::kFileDialogDefaultExt);
    request.fileMustExist = true;
    request.hideReadOnly = true;
    const std::optional<std::string> path = m_ui.ChooseOpenFile(request);
    if (!path || !LoadDataFile(*path))
        return false;
    m_state.m_strDataFile = *path;
    TakeTitle();
    return true;
}

void DataLoader::TakeTitle() {
    // A title without its NUL is not read; the copy keeps what it held.
    if (const auto title = Data().Title())
        m_state.m_strTitle = std::string(*title);
}

bool DataLoader::LoadForCreation(DataSourceKind kind) {
    bool loaded = false;
    if (!m_state.m_bDataNamed)
        loaded = ChooseDataFile();
    else if (kind == DataSourceKind::Embedded)
        loaded = LoadEmbeddedData();
    else
        loaded = LoadDataFile(m_state.m_strDataFile) || ChooseDataFile();
    if (loaded)
        TakeTitle();
    return loaded;
}

}  // namespace mascot
