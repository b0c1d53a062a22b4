#include "placement/Placement.h"

namespace mascot {
namespace {

// The low 32 bits of a wider result, read as signed: what 32-bit arithmetic gives.
int32_t Wrap(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value))); }

}  // namespace

int32_t PlacementSlack(int32_t left, int32_t right, int32_t frameWidth) {
    const int32_t slack = Wrap(int64_t{right} - frameWidth - left);
    return slack < 0 ? 0 : slack;
}

int32_t PlacementX(int32_t left, int32_t right, int32_t frameWidth, int32_t percent) {
    const int32_t product = Wrap(int64_t{PlacementSlack(left, right, frameWidth)} * percent);
    return Wrap(int64_t{left} + product / 100);
}

int32_t PlacementY(int32_t top, int32_t height) { return Wrap(int64_t{top} - height); }

int32_t DragPercentChange(int32_t travel, int32_t slack) {
    if (slack <= 0)
        return 0;
    return Wrap(int64_t{travel} * 100) / slack;
}

}  // namespace mascot
