// The placement formula: where the mascot sits on its target's top edge. Every user of it (the
// tracking pass, SetHeight, the drag, the settings dialog) goes through these functions, so
// the arithmetic lives in one place. All of it is signed 32-bit arithmetic that wraps around, as
// the platform's integers do, with division truncating toward zero.
#pragma once

#include <cstdint>

namespace mascot {

// The room the mascot has to slide along an edge from `left` to `right`: right - frameWidth -
// left, or 0 when that is negative.
int32_t PlacementSlack(int32_t left, int32_t right, int32_t frameWidth);

// x = left + slack * percent / 100, the product formed first.
int32_t PlacementX(int32_t left, int32_t right, int32_t frameWidth, int32_t percent);

// y = top - height: the mascot rises `height` pixels above the edge.
int32_t PlacementY(int32_t top, int32_t height);

// The change of the percentage for a horizontal cursor travel over `slack` pixels:
// travel * 100 / slack, or 0 when there is no room to slide.
int32_t DragPercentChange(int32_t travel, int32_t slack);

}  // namespace mascot
