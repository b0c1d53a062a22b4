#include "script/ContainerCodeCheck.h"

#include <algorithm>
#include <map>
#include <vector>

#include "data/ContainerLayout.h"
#include "script/CodeCheck.h"

namespace mascot {
namespace {

// Where every block of the container begins, sorted: the ends of the patterns' extents.
std::vector<uint64_t> BlockStarts(const MascotData& data) {
    std::vector<uint64_t> starts;
    if (const auto& directory = data.Directory()) {
        starts.push_back(directory->Offset());
        for (uint16_t n = 0; n < directory->ImageCount(); ++n) {
            const auto offset = directory->ImageOffset(n);
            if (!offset)
                break;  // the rest of the offset array lies outside too
            starts.push_back(directory->Offset() + *offset);
        }
    }
    if (const auto& table = data.Table()) {
        starts.push_back(table->Offset() >= layout::kPrefixSize ? table->Offset() - layout::kPrefixSize : 0);
        for (uint16_t i = 0; i < table->PatternCount(); ++i) {
            const auto offset = table->PatternOffset(i);
            if (!offset)
                break;
            starts.push_back(table->Offset() + *offset);
        }
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    return starts;
}

std::span<const uint8_t> Extent(const MascotData& data, const std::vector<uint64_t>& starts, uint64_t start) {
    const auto next = std::upper_bound(starts.begin(), starts.end(), start);
    const uint64_t end = next == starts.end() ? data.Size() : std::min<uint64_t>(*next, data.Size());
    return data.Bytes().subspan(start, end - start);
}

// The Name findings the structural check has made already for a pattern starting with `code`.
bool StructureSaysSo(const CodeFinding& finding, std::span<const uint8_t> code) {
    if (finding.offset != 0)
        return false;
    const bool startsWithName = code[0] == layout::kNameOpcode;
    if (finding.problem == CodeProblem::MissingName)
        return !startsWithName;
    return finding.problem == CodeProblem::LongString && startsWithName;
}

void AddPatternFindings(uint16_t i, uint64_t start, std::span<const uint8_t> code,
                        const std::vector<CodeFinding>& found, Findings& findings) {
    for (const CodeFinding& finding : found) {
        if (StructureSaysSo(finding, code))
            continue;
        findings.push_back(Finding{"pattern " + std::to_string(i), start + finding.offset,
                                   "code offset " + std::to_string(finding.offset) + ": " + finding.message});
    }
}

}  // namespace

std::optional<std::span<const uint8_t>> PatternExtent(const MascotData& data, uint16_t i) {
    const auto pattern = data.PatternAt(i);
    if (!pattern)
        return std::nullopt;
    return Extent(data, BlockStarts(data), pattern->Offset());
}

std::vector<std::optional<std::span<const uint8_t>>> PatternExtents(const MascotData& data) {
    std::vector<std::optional<std::span<const uint8_t>>> extents;
    const auto& table = data.Table();
    if (!table)
        return extents;
    const std::vector<uint64_t> starts = BlockStarts(data);
    for (uint16_t i = 0; i < table->PatternCount() && table->PatternOffset(i); ++i) {
        const auto pattern = table->PatternAt(i);
        extents.push_back(pattern ? std::optional(Extent(data, starts, pattern->Offset())) : std::nullopt);
    }
    return extents;
}

void CheckContainerCode(const MascotData& data, Findings& findings) {
    const auto& table = data.Table();
    if (!table)
        return;
    CodeCheckOptions options;
    options.version = data.Version().value_or(0);
    options.imageCount = data.ImageCount();
    options.patternCount = table->PatternCount();
    const std::vector<uint64_t> starts = BlockStarts(data);
    // Patterns that share their bytes are checked once.
    std::map<uint64_t, std::vector<CodeFinding>> checked;
    for (uint16_t i = 0; i < table->PatternCount(); ++i) {
        if (!table->PatternOffset(i))
            break;
        const auto pattern = table->PatternAt(i);
        if (!pattern)
            continue;
        const uint64_t start = pattern->Offset();
        const std::span<const uint8_t> code = Extent(data, starts, start);
        auto found = checked.find(start);
        if (found == checked.end())
            found = checked.emplace(start, CheckPattern(code, options)).first;
        AddPatternFindings(i, start, code, found->second, findings);
    }
}

}  // namespace mascot
