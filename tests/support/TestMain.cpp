#include <gtest/gtest.h>

// Some tests start this very executable again as a helper process (for example to write the
// settings file from two processes at once); they find it through this path.
const char* g_testExecutable = nullptr;

int main(int argc, char** argv) {
    g_testExecutable = argv[0];
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
