#include <gtest/gtest.h>

#include "placement/Placement.h"

namespace mascot {
namespace {

TEST(PlacementTest, XSlidesAlongTheEdgeByPercent) {
    struct Case {
        const char* name;
        int32_t left, right, width, percent, x;
    };
    const Case cases[] = {
        {"0 puts the left edges together", 200, 612, 112, 0, 200},
        {"100 puts the right edges together", 200, 612, 112, 100, 500},
        {"50 on a 412-pixel edge with a 112-pixel frame", 200, 612, 112, 50, 350},
        {"a narrow target has no slack", 200, 300, 112, 70, 200},
        {"truncation toward zero", 0, 113, 112, 99, 0},
        {"negative left", -500, -100, 112, 50, -356},
        {"the product wraps in 32 bits", 0, 0x7FFFFFFF, 0, 100, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlacementX(c.left, c.right, c.width, c.percent), c.x);
    }
}

TEST(PlacementTest, YRisesAboveTheEdge) {
    EXPECT_EQ(PlacementY(1, 117), -116);
    EXPECT_EQ(PlacementY(300, 80), 220);
    EXPECT_EQ(PlacementY(300, 0xFFFF), 300 - 65535);
}

TEST(PlacementTest, DragChangesThePercentageByTravelOverSlack) {
    struct Case {
        int32_t travel, slack, change;
    };
    const Case cases[] = {
        {150, 300, 50}, {-7, 300, -2}, {7, 300, 2}, {1000, 300, 333}, {150, 0, 0}, {150, -5, 0}, {0, 300, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.travel << " over " << c.slack);
        EXPECT_EQ(DragPercentChange(c.travel, c.slack), c.change);
    }
}

}  // namespace
}  // namespace mascot
