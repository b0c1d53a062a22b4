#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/ScriptAsm.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class KqtoolScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("kqtool-script-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
    }
    std::string Read(const std::string& name) const {
        std::ifstream file(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    // Runs kqtool with `args`; stdout and stderr go to out.txt and err.txt. Returns the exit code.
    int Kqtool(const std::string& args) const {
        const std::string command =
            std::string(MASCOT_KQTOOL_PATH) + " " + args + " >" + Path("out.txt") + " 2>" + Path("err.txt");
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    fs::path m_dir;
};

TEST_F(KqtoolScriptTest, AsmWritesTheBytesAndDisasmGivesTextThatAssemblesToThem) {
    const std::string text = "Name \"猫\"\nloop: Text 1, 2, \"にゃー\"\n Wait 50\n Goto loop\n";
    Write("cat.kqs", text);
    for (const char* version : {"300", "302"}) {
        SCOPED_TRACE(version);
        ASSERT_EQ(Kqtool("asm --version " + std::string(version) + " " + Path("cat.kqs")), 0)
            << Read("err.txt");
        const std::string bytes = Read("cat.bin");
        const std::vector<uint8_t> expected = test::Asm(text, static_cast<uint16_t>(std::stoi(version)));
        EXPECT_EQ(bytes, std::string(expected.begin(), expected.end()));

        ASSERT_EQ(Kqtool("disasm --version " + std::string(version) + " -o " + Path("back.kqs") + " " +
                         Path("cat.bin")),
                  0)
            << Read("err.txt");
        EXPECT_THAT(Read("back.kqs"), HasSubstr("Text 1, 2, \"にゃー\""));
        ASSERT_EQ(Kqtool("asm --version " + std::string(version) + " -o " + Path("again.bin") + " " +
                         Path("back.kqs")),
                  0);
        EXPECT_EQ(Read("again.bin"), bytes);
    }
}

TEST_F(KqtoolScriptTest, ErrorsAndFindingsNameFileAndLine) {
    Write("bad.kqs", "Name \"n\"\nWait v200\nFoo 1\n");
    EXPECT_EQ(Kqtool("asm " + Path("bad.kqs")), 1);
    EXPECT_THAT(Read("err.txt"), HasSubstr(Path("bad.kqs") + ":2:6: variables are v0 to v99"));
    EXPECT_THAT(Read("err.txt"), HasSubstr(Path("bad.kqs") + ":3:1: unknown instruction 'Foo'"));
    EXPECT_FALSE(fs::exists(Path("bad.bin")));

    Write("spin.kqs", "Name \"n\"\nloop: Add v1, 1\n Goto loop\n");
    EXPECT_EQ(Kqtool("asm " + Path("spin.kqs")), 0);
    EXPECT_THAT(Read("err.txt"),
                HasSubstr(Path("spin.kqs") + ":3: warning: offset 9: loop back to offset 4"));

    EXPECT_EQ(Kqtool("asm"), 64);
    EXPECT_EQ(Kqtool("disasm --version x " + Path("spin.bin")), 64);
    EXPECT_EQ(Kqtool("disasm " + Path("missing.bin")), 2);
}

}  // namespace
}  // namespace mascot
