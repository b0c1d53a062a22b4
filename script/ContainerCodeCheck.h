// The byte-code checks of a whole container: every pattern decoded from its first byte with the
// pattern checker (CodeCheck.h), given the container's version, image count and pattern count.
// `kqtool check` runs them after the structural checks; each finding names the pattern, the
// offset in the container and the offset within the pattern.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "data/ContainerCheck.h"
#include "data/MascotData.h"

namespace mascot {

// The bytes of pattern i as the checks read them. A pattern has no length of its own (the
// interpreter lets it run to the end of the container), but a pattern that runs into the next
// block runs into bytes that were never meant as its code. So its bytes end where the next
// block begins: another pattern, the table's prefix, the image directory or a frame image,
// whichever starts first after it; the container's end when none does. Nothing when the
// pattern's offset is absent or lies outside.
std::optional<std::span<const uint8_t>> PatternExtent(const MascotData& data, uint16_t i);
// The extents of all patterns at once, index i for pattern i, up to the last pattern whose offset
// entry lies inside: what PatternExtent gives for each, without finding the blocks again.
std::vector<std::optional<std::span<const uint8_t>>> PatternExtents(const MascotData& data);

// Appends the byte-code findings of every pattern that lies inside the container. What the
// structural checks already say about a pattern's Name (that it is missing, or that its name
// is longer than 255 bytes) is not repeated.
void CheckContainerCode(const MascotData& data, Findings& findings);

}  // namespace mascot
