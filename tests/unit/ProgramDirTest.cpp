#include <gtest/gtest.h>

#include "app/ProgramDir.h"

namespace mascot {
namespace {

TEST(ProgramDirTest, CutsAfterTheLastSeparator) {
    struct Case {
        const char* path;
        const char* separators;
        const char* dir;
    };
    const Case cases[] = {
        {"C:\\Apps\\Pet\\run.exe", "\\:", "C:\\Apps\\Pet\\"},
        {"C:run.exe", "\\:", "C:"},
        {"\\run.exe", "\\:", ""},        // the only separator is the first byte, never examined
        {"run.exe", "\\:", ""},
        {"", "\\:", ""},
        {"C:\\a:b\\", "\\:", "C:\\a:b\\"},
        // A double-byte character whose trail byte is 0x5C counts as a backslash.
        {"C:\\\x95\x5C" "x.exe", "\\:", "C:\\\x95\x5C"},
        {"/usr/lib/mascot/mascot", "/", "/usr/lib/mascot/"},
        {"/mascot", "/", ""},
        {"mascot", "/", ""},
        {"./mascot", "/", "./"},
        {"C:\\Apps\\run", "/", ""},      // POSIX does not know backslashes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ProgramDirFromPath(c.path, c.separators), c.dir);
    }
}

}  // namespace
}  // namespace mascot
