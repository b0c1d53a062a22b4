// Structural problems of a container that the loader does not test but a reader would trip
// on: offsets and lengths outside the container, frame images the drawing code does not
// support, pattern counts and names outside what the menu handles. Each finding names the item
// and where it lies. Other checkers (the byte code's, for one) append their findings to the
// same list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/ContainerValidation.h"
#include "data/MascotData.h"

namespace mascot {

struct Finding {
    std::string item;                // "header", "image 3", "pattern 0", "title", ...
    std::optional<uint64_t> offset;  // where the item (or the bad field) lies in the container
    std::string problem;
    // "image 3 at offset 812: <problem>", or "<item>: <problem>" without an offset.
    std::string ToString() const;
};

using Findings = std::vector<Finding>;

// Appends the structural problems of `data` to `findings`.
void CheckContainerStructure(const MascotData& data, Findings& findings);

// How many bytes a packed mask stream yields before it runs out, counting up to `wanted`.
uint64_t PackedMaskYield(std::span<const uint8_t> stream, uint64_t wanted);

// The first line of `kqtool check`: "verdict: ok", "verdict: M1" (nothing: the file could not
// be read) to "verdict: M4", or "verdict: Q (failed: length, header-crc, table-crc)" naming the
// failed tests only.
std::string VerdictLine(const std::optional<FileValidation>& validation);

}  // namespace mascot
