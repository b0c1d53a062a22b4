#include "data/ContainerValidation.h"

#include "data/ByteReader.h"
#include "data/ContainerLayout.h"
#include "data/MascotData.h"

namespace mascot {

using namespace layout;

namespace {

void RunChecksumTests(const MascotData& data, FileValidation& result) {
    const auto totalLength = data.TotalLength();
    result.lengthOk = totalLength && *totalLength == data.Size();
    const auto storedHeader = data.StoredHeaderChecksum();
    const auto computedHeader = data.ComputedHeaderChecksum();
    result.headerChecksumOk = storedHeader && computedHeader && *storedHeader == *computedHeader;
    const auto storedTable = data.StoredTableChecksum();
    const auto computedTable = data.ComputedTableChecksum();
    result.tableChecksumOk = storedTable && computedTable && *storedTable == *computedTable;
    if (!result.lengthOk || !result.headerChecksumOk || !result.tableChecksumOk)
        result.verdict = FileVerdict::Doubtful;
}

}  // namespace

FileValidation ValidateDataFile(std::span<const uint8_t> bytes) {
    FileValidation result;
    const MascotData data(bytes);
    if (bytes.empty()) {
        result.verdict = FileVerdict::Empty;
    } else if (!data.HasMagic()) {
        result.verdict = FileVerdict::NotContainer;
    } else if (bytes.size() < kVersion + 2) {
        result.verdict = FileVerdict::Unusable;
    } else if (LoadU16(bytes.data() + kVersion) > kNewestVersion) {
        result.verdict = FileVerdict::TooNew;
    } else if (!data.IsUsable()) {
        result.verdict = FileVerdict::Unusable;
    } else if (*data.Version() >= kFirstCheckedVersion) {
        RunChecksumTests(data, result);
    }
    return result;
}

std::string_view VerdictMessageId(FileVerdict verdict) {
    switch (verdict) {
        case FileVerdict::Ok:
            return "ok";
        case FileVerdict::Empty:
        case FileVerdict::Unusable:
            return "M2";
        case FileVerdict::NotContainer:
            return "M3";
        case FileVerdict::TooNew:
            return "M4";
        case FileVerdict::Doubtful:
            return "Q";
    }
    return "?";
}

}  // namespace mascot
