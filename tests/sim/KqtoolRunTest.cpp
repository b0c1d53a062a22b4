// `kqtool run` end to end: small containers assembled here, the real tool run on them, its JSON
// lines compared.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/MascotSim.h"
#include "tools/common/Png.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class KqtoolRunTest : public ::testing::Test {
protected:
    // Writes a container of `patterns` (the test character's images) as c.kq.
    std::string Container(const std::vector<std::string_view>& patterns) {
        ContainerWriter writer = test::CharacterWriter();
        for (std::string_view text : patterns)
            writer.AddPattern(test::Asm(text));
        const std::vector<uint8_t> bytes = writer.Build().bytes;
        m_dir.Write("c.kq", std::string(bytes.begin(), bytes.end()));
        return m_dir.File("c.kq");
    }
    // Runs kqtool with `args`; returns the exit code, with stdout's lines in `lines`.
    int Run(const std::string& args) {
        const std::string command = std::string(MASCOT_KQTOOL_PATH) + " " + args + " >" + m_dir.File("out.txt") +
                                    " 2>" + m_dir.File("err.txt");
        const int status = std::system(command.c_str());
        lines.clear();
        std::istringstream out(m_dir.Read("out.txt"));
        for (std::string line; std::getline(out, line);)
            lines.push_back(line);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Err() const { return m_dir.Read("err.txt"); }
    // The lines up to (not including) the first at or after `t` ms.
    std::vector<std::string> Before(uint64_t t) const {
        std::vector<std::string> out;
        for (const std::string& line : lines) {
            if (std::stoull(line.substr(5)) >= t)
                break;
            out.push_back(line);
        }
        return out;
    }
    std::string Dir() const { return m_dir.Dir(); }

    test::TempDir m_dir;
    std::vector<std::string> lines;
};

// Shapes itself, rises, draws and waits; then tries the effects once and halts at SetPosition. A
// press runs the handler, which changes to the second pattern; that one spins until the budget
// halts it.
constexpr std::string_view kLifePattern =
    "Name \"life\"\n"
    " MakeShape 'b', 2\n"
    " Let v10, v0\n"
    " ClearClick\n"
    " SetShape v10\n"
    " SetHeight 117\n"
    " OnClick clicked\n"
    " Draw 0\n"
    " Wait 50\n"
    " SetHeight 117\n"
    " Draw 1\n"
    " Font 12, \"ＭＳ ゴシック\"\n"
    " Text 10, 20, \"こんにちは\"\n"
    " ReadSetting \"Volume\", v3, 7\n"
    " WriteProfile \"Count\", 42\n"
    " Palette 'b', 1\n"
    " Palette 'a', 3\n"
    " Palette 'b', 3\n"
    " Launch \"notepad.exe a.txt\"\n"
    " PlaySound 2\n"
    " Wait 200\n"
    " SetPosition 150\n"
    "clicked:\n"
    " Draw 1\n"
    " ChangePattern 2\n";
constexpr std::string_view kSpinPattern =
    "Name \"spin\"\n"
    "loop:\n"
    " Goto loop\n";

TEST_F(KqtoolRunTest, ThePrintedLifeOfAPatternFromItsFirstRunToAClickAndTheNextPattern) {
    const std::string file = Container({kLifePattern, kSpinPattern});
    ASSERT_EQ(Run("run --seconds 1 --click 600 " + file), 0) << Err();
    // The handler's offset: the size of everything before its label.
    const std::string beforeHandler = std::string(kLifePattern.substr(0, kLifePattern.find("clicked:"))) + "clicked:\n";
    const std::string click =
        R"({"t":600,"ev":"click","target":)" + std::to_string(test::Asm(beforeHandler).size()) + "}";
    // Frame 112 wide on the editor 200..900 at the table's 90 %: x = 200 + 588 * 90 / 100 = 729,
    // y = 300 - 117. SetHeight moves the hidden window; the first pass shows it.
    EXPECT_THAT(lines, ElementsAre(
        R"({"t":0,"ev":"pattern","index":0,"choice":1})",
        R"({"t":0,"ev":"slot","kind":98,"image":2,"slot":0})",
        R"({"t":0,"ev":"shape","slot":0})",
        R"({"t":0,"ev":"height","value":117})",
        R"({"t":0,"ev":"move","x":729,"y":183})",
        R"({"t":0,"ev":"draw","frame":0})",
        R"({"t":0,"ev":"wait","ms":50})",
        R"({"t":50,"ev":"height","value":117})",
        R"({"t":50,"ev":"draw","frame":1})",
        R"({"t":50,"ev":"font","height":12,"face":"ＭＳ ゴシック"})",
        R"({"t":50,"ev":"text","x":10,"y":20,"text":"こんにちは"})",
        R"({"t":50,"ev":"setting","key":"Volume","value":7})",
        R"({"t":50,"ev":"profile","section":"Tester","key":"Count","value":42})",
        R"({"t":50,"ev":"palette","kind":98,"image":1,"entries":256})",
        R"({"t":50,"ev":"palette","kind":97,"image":3,"entries":256})",
        R"({"t":50,"ev":"palette","kind":98,"image":3,"entries":0})",
        R"({"t":50,"ev":"launch","command":"notepad.exe a.txt"})",
        R"({"t":50,"ev":"sound","name":"sa0016_.wav","played":0,"index":2})",
        R"({"t":50,"ev":"wait","ms":200})",
        R"({"t":100,"ev":"move","x":729,"y":183})",
        R"({"t":100,"ev":"show","x":729,"y":183})",
        // The percentage is clamped to 100: x = 200 + 588.
        R"({"t":250,"ev":"position","value":100})",
        R"({"t":250,"ev":"move","x":788,"y":183})",
        R"({"t":250,"ev":"halt","reason":"setposition"})",
        // The press runs the handler at once, which selects the second pattern.
        click,
        R"({"t":600,"ev":"draw","frame":1})",
        R"({"t":600,"ev":"wait","ms":10})",
        R"({"t":600,"ev":"pattern","index":1,"choice":2})",
        R"({"t":610,"ev":"halt","reason":"budget"})",
        // The end of the run closes the mascot as a user would.
        R"({"t":1000,"ev":"hide"})"));
}

}  // namespace
}  // namespace mascot
