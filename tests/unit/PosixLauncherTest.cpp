#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/PosixLauncher.h"
#include "support/TempDir.h"

namespace mascot {
namespace {

using ::testing::ElementsAreArray;

TEST(PosixLauncherTest, SplitsACommandLineAsTheWindowsRuntimeDoes) {
    struct Case {
        const char* line;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {"notepad.exe", {"notepad.exe"}},
        {"prog  a\t b ", {"prog", "a", "b"}},
        {"", {""}},
        {" prog", {"", "prog"}},
        // The program name: quotes toggle, backslashes are plain.
        {R"("C:\Program Files\x.exe" arg)", {R"(C:\Program Files\x.exe)", "arg"}},
        {R"(a\"b c"d e)", {R"(a\b cd)", "e"}},
        // Arguments: quotes group, anywhere in the argument.
        {R"(prog "a b" c)", {"prog", "a b", "c"}},
        {R"(prog a"b c"d)", {"prog", "ab cd"}},
        {R"(prog "" "")", {"prog", "", ""}},
        {R"(prog "open to the end)", {"prog", "open to the end"}},
        // Backslashes: literal unless a quote follows them.
        {R"(prog a\\b c\)", {"prog", R"(a\\b)", R"(c\)"}},
        {R"(prog a\"b)", {"prog", R"(a"b)"}},
        {R"(prog a\\"b c")", {"prog", R"(a\b c)"}},
        {R"(prog a\\\"b)", {"prog", R"(a\"b)"}},
        {R"(prog a\\\\"b c")", {"prog", R"(a\\b c)"}},
        // "" inside quotes is a literal quote, and the quotes go on.
        {R"(prog "a""b c")", {"prog", R"(a"b c)"}},
        {R"(prog """")", {"prog", R"(")"}},
        // Outside quotes "" is an empty pair.
        {R"(prog a""b)", {"prog", "ab"}},
        // A Shift-JIS character whose second byte is 0x5C is no backslash: "表" and "ソフト".
        {"prog \"\x95\x5C\" x", {"prog", "\x95\x5C", "x"}},
        {"\"\x83\x5C\x83t\x83g.exe\" \x95\x5C\"a b\"",
         {"\x83\x5C\x83t\x83g.exe",
          "\x95\x5C"
          "a b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_THAT(SplitCommandLine(c.line), ElementsAreArray(c.args));
    }
}

// Waits for `done` up to a generous limit, so that a failure cannot hang the test run.
template <typename Predicate>
bool Eventually(Predicate done) {
    for (int i = 0; i < 1000; ++i) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

TEST(PosixLauncherTest, StartsTheProgramWithoutAShellAndReapsIt) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.Path() / "with space");
    // A shell would split at ";" and expand "$HOME"; here they are part of the file name.
    const std::string name = "with space/$HOME;x";
    PosixLauncher launcher;
    const auto pid = launcher.Spawn("touch \"" + dir.File(name) + "\"");
    ASSERT_TRUE(pid.has_value());
    EXPECT_TRUE(Eventually([&] { return dir.Exists(name); }));
    // Once it has ended nothing is left of it: no zombie keeps its process id.
    EXPECT_TRUE(Eventually([&] { return kill(*pid, 0) != 0 && errno == ESRCH; }));
}

TEST(PosixLauncherTest, ALineWithoutAProgramOrWithAnUnknownOneStartsNothing) {
    PosixLauncher launcher;
    for (const char* line : {"", "   ", "\t", "mascot-no-such-program-here x"}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(launcher.Launch(line));
    }
}

}  // namespace
}  // namespace mascot
