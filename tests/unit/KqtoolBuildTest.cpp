// kqtool build, and kqtool disasm on whole containers, run as separate processes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "data/MascotData.h"
#include "script/ContainerCodeCheck.h"
#include "support/TempDir.h"
#include "tools/common/Png.h"

namespace mascot {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class KqtoolBuildTest : public ::testing::Test {
protected:
    void SetUp() override {
        const Picture body{2, 2, {kOpaque | 0xFF0000, kOpaque, kOpaque | 0x00FF00, kOpaque}};
        ASSERT_TRUE(WritePng(m_dir.File("body.png"), body));
        ASSERT_TRUE(
            WritePng(m_dir.File("mask.png"), Picture{2, 2, {kOpaque, kOpaque, kOpaque | 0xFFFFFF, kOpaque}}));
        m_dir.Write("walk.kqs",
                    "Name \"歩く\"\n MakeShape 'b', 1\n SetShape v0\nloop: Draw 0\n Wait 50\n"
                    " Goto loop\n");
        m_dir.Write("sit.kqs", "Name \"sit\"\n OnClick up\n SetPosition 10\nup: ChangePattern 1\n");
        m_dir.Write("c.txt", std::string(kManifest) + "pattern = sit.kqs\n");
    }

    static constexpr char kManifest[] =
        "title = テスト\nframe = 2 x 2\nimage = body.png 0 0 colour8\n"
        "image = mask.png 0 0 mask\npattern = walk.kqs\n";

    // Runs kqtool with `args`; stdout and stderr go to out.txt and err.txt. Returns the exit code.
    int Kqtool(const std::string& args) const {
        const std::string command = std::string(MASCOT_KQTOOL_PATH) + " " + args + " >" +
                                    m_dir.File("out.txt") + " 2>" + m_dir.File("err.txt");
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Out() const { return m_dir.Read("out.txt"); }
    std::string Err() const { return m_dir.Read("err.txt"); }

    test::TempDir m_dir;
};

TEST_F(KqtoolBuildTest, BuildsACharacterThatChecksAndDisassembles) {
    ASSERT_EQ(Kqtool("build " + m_dir.File("c.txt")), 0) << Err();
    EXPECT_EQ(Err(), "");
    ASSERT_TRUE(m_dir.Exists("c.kq"));  // beside the manifest by default
    EXPECT_EQ(Kqtool("check " + m_dir.File("c.kq")), 0);
    EXPECT_EQ(Out(), "verdict: ok\n");

    const std::string bytes = m_dir.Read("c.kq");
    const MascotData data(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    const uint64_t second = data.PatternAt(1)->Offset();
    ASSERT_EQ(Kqtool("disasm " + m_dir.File("c.kq")), 0) << Err();
    EXPECT_THAT(Out(), HasSubstr("; pattern 0 at offset " + std::to_string(data.PatternAt(0)->Offset()) +
                                 ": \"歩く\"\n"));
    EXPECT_THAT(Out(), HasSubstr("; pattern 1 at offset " + std::to_string(second) + ": \"sit\"\n"));
    EXPECT_THAT(Out(), HasSubstr("    Name \"歩く\"\n"));

    // One pattern's text assembles to exactly that pattern's bytes.
    ASSERT_EQ(Kqtool("disasm --pattern 1 -o " + m_dir.File("sit2.kqs") + " " + m_dir.File("c.kq")), 0)
        << Err();
    EXPECT_THAT(m_dir.Read("sit2.kqs"), Not(HasSubstr("歩く")));
    ASSERT_EQ(Kqtool("asm -o " + m_dir.File("sit2.bin") + " " + m_dir.File("sit2.kqs")), 0) << Err();
    const auto code = PatternExtent(data, 1);
    ASSERT_TRUE(code);
    EXPECT_EQ(m_dir.Read("sit2.bin"), std::string(code->begin(), code->end()));
}

TEST_F(KqtoolBuildTest, FindingsWarnAndFailWithStrict) {
    m_dir.Write("spin.kqs", "Name \"spin\"\nloop: Draw 3\n Goto loop\n");
    m_dir.Write("spin.txt", std::string(kManifest) + "pattern = spin.kqs\n");
    EXPECT_EQ(Kqtool("build -o " + m_dir.File("spin.kq") + " " + m_dir.File("spin.txt")), 0);
    EXPECT_THAT(Err(), HasSubstr(m_dir.File("spin.kq") + ": warning: pattern 1 at offset "));
    EXPECT_THAT(Err(), HasSubstr("Draw: image 3 does not exist (2 images)"));
    EXPECT_THAT(Err(), HasSubstr("passes no Wait"));
    EXPECT_TRUE(m_dir.Exists("spin.kq"));

    EXPECT_EQ(Kqtool("build --strict -o " + m_dir.File("strict.kq") + " " + m_dir.File("spin.txt")), 1);
    EXPECT_FALSE(m_dir.Exists("strict.kq"));
}

TEST_F(KqtoolBuildTest, ErrorsAndCommandLine) {
    m_dir.Write("bad.txt", "colour = red\n" + std::string(kManifest));
    EXPECT_EQ(Kqtool("build " + m_dir.File("bad.txt")), 1);
    EXPECT_EQ(Err(), m_dir.File("bad.txt") + ":1: unknown key 'colour'\n");
    EXPECT_FALSE(m_dir.Exists("bad.kq"));

    m_dir.Write("lost.txt", std::string(kManifest) + "pattern = lost.kqs\n");
    EXPECT_EQ(Kqtool("build " + m_dir.File("lost.txt")), 1);
    EXPECT_THAT(Err(), HasSubstr(m_dir.File("lost.kqs")));

    EXPECT_EQ(Kqtool("build " + m_dir.File("none.txt")), 2);
    EXPECT_EQ(Kqtool("build"), 64);
    EXPECT_EQ(Kqtool("build --help"), 0);
    for (const char* word : {"title", "about", "version", "frame", "defaults", "menu", "image", "pattern",
                             "colour8", "colour24", "packed-mask"})
        EXPECT_THAT(Out(), HasSubstr(word));

    ASSERT_EQ(Kqtool("build -o " + m_dir.File("c.kq") + " " + m_dir.File("c.txt")), 0);
    EXPECT_EQ(Kqtool("disasm --pattern 2 " + m_dir.File("c.kq")), 2);
    EXPECT_THAT(Err(), HasSubstr("has 2 patterns; there is no pattern 2"));
    EXPECT_EQ(Kqtool("disasm --version 300 " + m_dir.File("c.kq")), 64);
    EXPECT_EQ(Kqtool("disasm --pattern 0 " + m_dir.File("walk.kqs")), 64);
}

}  // namespace
}  // namespace mascot
