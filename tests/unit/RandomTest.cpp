#include <gtest/gtest.h>

#include "app/Random.h"

namespace mascot {
namespace {

// The sequence mascot data relies on: state * 214013 + 2531011, bits 16 to 30.
TEST(RandomTest, FollowsTheLinearCongruentialSequence) {
    Srand(1);
    EXPECT_EQ(Rand(), 41);
    EXPECT_EQ(Rand(), 18467);
    EXPECT_EQ(Rand(), 6334);
    EXPECT_EQ(Rand(), 26500);

    Srand(0);
    EXPECT_EQ(Rand(), 38);
    EXPECT_EQ(Rand(), 7719);
}

TEST(RandomTest, SrandRestartsTheSequenceAndValuesStayInRange) {
    Srand(0xDEADBEEF);
    const int first = Rand();
    for (int i = 0; i < 100000; ++i) {
        const int value = Rand();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, kRandMax);
    }
    Srand(0xDEADBEEF);
    EXPECT_EQ(Rand(), first);
}

}  // namespace
}  // namespace mascot
