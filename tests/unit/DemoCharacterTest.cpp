// The demo character as the build packs it from res/characters/demo: it passes kqtool check,
// holds what its manifest says, and its patterns do what they are written to do.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/Random.h"
#include "data/MascotData.h"
#include "platform/posix/PosixFileSystem.h"
#include "script/ContainerCodeCheck.h"
#include "script/Interpreter.h"
#include "support/RecordingScriptHost.h"
#include "support/Sjis.h"

namespace mascot {
namespace {

using ::testing::ElementsAre;

std::vector<uint8_t> DemoBytes() {
    const auto bytes = PosixFileSystem().ReadFile(MASCOT_DEMO_CONTAINER);
    EXPECT_TRUE(bytes) << MASCOT_DEMO_CONTAINER;
    return bytes.value_or(std::vector<uint8_t>{});
}

TEST(DemoCharacterTest, PassesKqtoolCheckWithoutFindings) {
    const std::string command = std::string(MASCOT_KQTOOL_PATH) + " check " + MASCOT_DEMO_CONTAINER + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    const int status = pclose(pipe);
    EXPECT_EQ(out, "verdict: ok\n");
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(DemoCharacterTest, HoldsWhatItsManifestSays) {
    const std::vector<uint8_t> bytes = DemoBytes();
    const MascotData data(bytes);
    ASSERT_TRUE(data.IsUsable());
    EXPECT_EQ(data.Version(), 302);
    EXPECT_EQ(data.FrameWidth(), 112);
    EXPECT_EQ(data.FrameHeight(), 160);
    EXPECT_EQ(test::SjisToUtf8(std::string(*data.Title())), "デモ");
    EXPECT_EQ(data.DefaultPattern(), 1);
    EXPECT_EQ(data.DefaultPosition(), 90);
    ASSERT_EQ(data.ImageCount(), 8);
    const auto body = data.Image(0);
    ASSERT_TRUE(body);
    EXPECT_EQ(body->BitCount(), 8);
    EXPECT_EQ(body->Width(), 112);
    EXPECT_EQ(body->Height(), 160);
    for (uint16_t n = 5; n < 8; ++n) {
        const auto mask = data.Image(n);
        ASSERT_TRUE(mask);
        EXPECT_EQ(mask->BitCount(), 1);
        EXPECT_EQ(mask->IsPackedMask(), n == 7);
    }
    ASSERT_EQ(data.PatternCount(), 2);
    EXPECT_EQ(test::SjisToUtf8(*data.PatternName(0)), "のんびり");
    EXPECT_EQ(test::SjisToUtf8(*data.PatternName(1)), "すやすや");
}

// The everyday pattern sets up its shapes and height, rests 4 to 9 s, blinks in 50 ms frames,
// and hops when clicked.
TEST(DemoCharacterTest, IdleBlinksAndHopsOnAClick) {
    const std::vector<uint8_t> bytes = DemoBytes();
    const MascotData data(bytes);
    test::RecordingScriptHost host;
    host.SetPatterns({std::vector<uint8_t>(PatternExtent(data, 0)->begin(), PatternExtent(data, 0)->end()),
                      std::vector<uint8_t>(PatternExtent(data, 1)->begin(), PatternExtent(data, 1)->end())});
    ScriptState state;
    SelectInitialPattern(state, host, 1);
    Srand(1);
    EXPECT_EQ(RunScript(state, host), RunEnd::Wait);
    ASSERT_EQ(host.events.size(), 7u) << ::testing::PrintToString(host.events);
    EXPECT_THAT(std::vector<std::string>(host.events.begin(), host.events.begin() + 6),
                ElementsAre("MakeShape 98 5", "MakeShape 98 6", "MakeShape 98 7", "SetShape 0",
                            "SetHeight 117", "Draw 0"));
    const std::string& wait = host.events.back();
    ASSERT_TRUE(wait.starts_with("SetTimer 1 ")) << wait;
    const int delay = std::stoi(wait.substr(11));
    EXPECT_GE(delay, 4000);
    EXPECT_LT(delay, 9000);

    host.events.clear();
    for (int frame = 0; frame < 3; ++frame)
        RunScript(state, host);
    EXPECT_THAT(host.events,
                ElementsAre("Draw 1", "SetTimer 1 50", "Draw 2", "SetTimer 1 50", "Draw 1", "SetTimer 1 50"));

    ASSERT_NE(state.m_clickTarget, kNoClickHandler);
    host.events.clear();
    state.m_pc = state.m_clickTarget;
    RunScript(state, host);
    EXPECT_THAT(host.events, ElementsAre("SetShape 1", "Draw 3", "SetTimer 1 50"));
}

}  // namespace
}  // namespace mascot
