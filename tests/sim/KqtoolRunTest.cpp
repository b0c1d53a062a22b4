// `kqtool run` end to end: small containers assembled here, the real tool run on them, its JSON
// lines compared.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "support/MascotSim.h"
#include "support/SoundTestSupport.h"
#include "tools/common/Png.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
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
        const std::string command = std::string(MASCOT_KQTOOL_PATH) + " " + args + " >" +
                                    m_dir.File("out.txt") + " 2>" + m_dir.File("err.txt");
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
    const std::string beforeHandler =
        std::string(kLifePattern.substr(0, kLifePattern.find("clicked:"))) + "clicked:\n";
    const std::string click =
        R"({"t":600,"ev":"click","target":)" + std::to_string(test::Asm(beforeHandler).size()) + "}";
    // Frame 112 wide on the editor 200..900 at the table's 90 %: x = 200 + 588 * 90 / 100 = 729,
    // y = 300 - 117. SetHeight moves the hidden window; the first pass shows it.
    const std::vector<std::string> expected = {
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
        R"({"t":1000,"ev":"hide"})",
    };
    EXPECT_THAT(lines, ElementsAreArray(expected));
}

// The lines whose event is one of `events`, in order.
std::vector<std::string> Only(const std::vector<std::string>& lines,
                              std::initializer_list<const char*> events) {
    std::vector<std::string> out;
    for (const std::string& line : lines)
        for (const char* event : events)
            if (line.find(std::string(R"("ev":")") + event + "\"") != std::string::npos)
                out.push_back(line);
    return out;
}

TEST_F(KqtoolRunTest, SettingsFromTheOptionsAreReadAsTheUsersAndSavedAtTheEnd) {
    const std::string file = Container({test::kIdlePattern, test::kIdlePattern});
    const std::string dir = Dir() + "program";
    // Taskbar only, at its left end, the second pattern, in section Mascot-ABC.
    ASSERT_EQ(Run("run --seconds 0.3 --dir " + dir + " --tag ABC --fixed 1 --position 0 --pattern 2 " + file),
              0)
        << Err();
    EXPECT_EQ(lines.front(), R"({"t":0,"ev":"pattern","index":1,"choice":2})");
    EXPECT_THAT(Only(Before(300), {"show"}), ElementsAre(R"({"t":100,"ev":"show","x":0,"y":643})"));
    std::ifstream saved(dir + "/savedata.dat", std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(saved), {});
    EXPECT_EQ(text, "[Mascot-ABC]\r\nFixed=1\r\nPosition=0\r\nPattern=2\r\nTopMost=0\r\nUseSound=0\r\n");
}

TEST_F(KqtoolRunTest, TheDesktopOptionsGiveTheTarget) {
    struct Case {
        const char* options;
        std::vector<std::string> placements;
    };
    const Case cases[] = {
        // 50 % of a 412-pixel editor at 100: x = 100 + (412 - 112) * 50 / 100.
        {"--foreground 100,400,512,700 --position 50",
         {R"({"t":0,"ev":"move","x":250,"y":283})", R"({"t":100,"ev":"move","x":250,"y":283})",
          R"({"t":100,"ev":"show","x":250,"y":283})"}},
        // No foreground window: SetHeight places by the remembered edges (none yet), but no pass
        // ever shows the mascot.
        {"--no-foreground", {R"({"t":0,"ev":"move","x":0,"y":-117})"}},
        // A maximised editor is no target: the pass hides nothing that is not shown.
        {"--foreground 0,0,1280,760", {R"({"t":0,"ev":"move","x":1051,"y":-117})"}},
    };
    const std::string file = Container({test::kIdlePattern});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        ASSERT_EQ(Run("run --seconds 0.3 " + std::string(c.options) + " " + file), 0) << Err();
        EXPECT_THAT(Only(Before(300), {"move", "show", "hide"}), ElementsAreArray(c.placements));
    }
}

TEST_F(KqtoolRunTest, CommandsAndClicksReachTheWindowAtTheirTimes) {
    const std::string file = Container({test::kIdlePattern, "Name \"rest\"\n Draw 1\n WaitRandom 100, 50\n"});
    // 32801 does nothing; 32782 selects pattern 2; 57664 opens the About box. The second press
    // comes within the double-click time and runs nothing.
    ASSERT_EQ(Run("run --seconds 0.6 --command 200:32801 --command 300:32782 --click 120 --click 125 "
                  "--command 450:57664 " +
                  file),
              0)
        << Err();
    EXPECT_THAT(
        Only(lines, {"click", "pattern"}),
        ElementsAre(R"({"t":0,"ev":"pattern","index":0,"choice":1})", HasSubstr(R"("t":120,"ev":"click")"),
                    R"({"t":300,"ev":"pattern","index":1,"choice":2})"));
    // The About box, closed with Esc by a user who has no more to do.
    EXPECT_THAT(Only(lines, {"dialog"}),
                ElementsAre(R"({"t":450,"ev":"dialog","name":"about","result":"cancel","id":100})"));
    // The rest pattern's random wait lies in 100..149 ms.
    const std::vector<std::string> waits = Only(lines, {"wait"});
    const auto first = std::find(waits.begin(), waits.end(), R"({"t":300,"ev":"wait","ms":10})");
    ASSERT_NE(first, waits.end());
    ASSERT_NE(first + 1, waits.end());
    EXPECT_THAT(first[1], ::testing::MatchesRegex(R"(\{"t":310,"ev":"wait","ms":1[0-4][0-9]\})"));
}

TEST_F(KqtoolRunTest, APressOnAHiddenMascotDoesNothingAndSaysSo) {
    const std::string file = Container({test::kIdlePattern});
    ASSERT_EQ(Run("run --seconds 0.3 --no-foreground --click 200 " + file), 0) << Err();
    EXPECT_THAT(Only(lines, {"click"}), ::testing::IsEmpty());
    EXPECT_THAT(Err(), HasSubstr("--click at 200 ms: the mascot is not on the screen"));
}

TEST_F(KqtoolRunTest, ADragSlidesTheMascotAlongTheEdgeWhileTheTimersGoOn) {
    const std::string file =
        Container({"Name \"plain\"\n SetHeight 117\nloop:\n Draw 0\n Wait 50\n Goto loop\n"});
    const std::string dir = Dir() + "program";
    ASSERT_EQ(Run("run --seconds 0.6 --dir " + dir + " --drag 300:-147 " + file), 0) << Err();
    // -147 px over the editor's slack of 588 is -25 %: from 90 to 65, x = 200 + 588 * 65 / 100.
    EXPECT_THAT(
        Only(lines, {"move", "show", "hide"}),
        ElementsAre(R"({"t":0,"ev":"move","x":729,"y":183})", R"({"t":100,"ev":"move","x":729,"y":183})",
                    R"({"t":100,"ev":"show","x":729,"y":183})", R"({"t":500,"ev":"hide"})",
                    R"({"t":500,"ev":"move","x":582,"y":183})", R"({"t":500,"ev":"show","x":582,"y":183})",
                    R"({"t":600,"ev":"hide"})"));
    EXPECT_THAT(lines, ::testing::Contains(R"({"t":400,"ev":"draw","frame":0})"));
    std::ifstream saved(dir + "/savedata.dat", std::ios::binary);
    EXPECT_THAT(std::string(std::istreambuf_iterator<char>(saved), {}), HasSubstr("Position=65\r\n"));
}

TEST_F(KqtoolRunTest, TheContextMenuIsPrintedAsItIsShown) {
    const std::string file = Container({test::kIdlePattern, "Name \"\xE4\xBC\x91\"\n Wait 1\n"});
    ASSERT_EQ(Run("run --seconds 0.3 --settings 200:cancel " + file), 0) << Err();
    EXPECT_THAT(
        Only(lines, {"menu"}),
        ElementsAre(std::string(R"({"t":200,"ev":"menu","items":[)") +
                    R"({"kind":"command","id":32800,"text":"設定(&S)...","flags":[]},)" +
                    R"({"kind":"submenu","text":"パターン選択","items":[)" +
                    R"({"kind":"command","id":32780,"text":"ランダム選択","flags":[]},)" +
                    R"({"kind":"separator"},)" +
                    R"({"kind":"command","id":32781,"text":"idle","flags":["checked"]},)" +
                    R"({"kind":"command","id":32782,"text":"休","flags":[]}]},)" +
                    R"({"kind":"command","id":57664,"text":"このソフトについて(&A)...","flags":[]},)" +
                    R"({"kind":"separator"},)" +
                    R"({"kind":"command","id":57665,"text":"終了(&X)\tAlt+F4","flags":[]}]})"));
}

TEST_F(KqtoolRunTest, TheSettingsDialogIsAnsweredThroughItsControls) {
    const std::string file = Container({test::kIdlePattern});
    ASSERT_EQ(
        Run("run --seconds 0.6 --settings 300:pos=20,fixed=0,topmost=1,ok --settings 500:pos=abc,ok " + file),
        0)
        << Err();
    // 20 % of the editor's slack: x = 200 + 588 * 20 / 100. In front now, every pass moves it.
    EXPECT_THAT(Only(lines, {"dialog", "show"}),
                ElementsAre(R"({"t":100,"ev":"show","x":729,"y":183})",
                            R"({"t":300,"ev":"dialog","name":"settings","result":"ok","id":131})",
                            R"({"t":300,"ev":"show","x":317,"y":183})",
                            R"({"t":500,"ev":"dialog","name":"settings","result":"cancel","id":131})",
                            R"({"t":500,"ev":"show","x":317,"y":183})"));
    EXPECT_THAT(lines, ::testing::Contains(R"({"t":400,"ev":"move","x":317,"y":183})"));
    // A position that is no integer is refused, and OK cannot close the dialog.
    EXPECT_THAT(Err(), HasSubstr("at 500 ms the program shows a message: 整数を入力してください。"));
}

TEST_F(KqtoolRunTest, TextsAreUtf8AndBytesThatAreNoShiftJisAreEscaped) {
    // 0x81 followed by a quote is no character; 0xFD is none at all.
    const std::string file =
        Container({"Name \"t\"\n Text 1, 2, \"\\x81\\\"A\\xFD\xE3\x81\x82\"\n Wait 50\n"});
    ASSERT_EQ(Run("run --seconds 0 " + file), 0) << Err();
    EXPECT_THAT(Only(lines, {"text"}),
                ElementsAre(R"({"t":0,"ev":"text","x":1,"y":2,"text":"\u0081\"A\u00FDあ"})"));
}

TEST_F(KqtoolRunTest, SoundsSayWhetherTheyWereHeard) {
    // A wave of 100 ms as the numbered sound 2, one to play by name, and sound switched on.
    fs::create_directories(m_dir.Path() / "program");
    test::WriteBytes(m_dir, "program/sa0016_.wav", test::MakeWave(800));
    test::WriteBytes(m_dir, "ding.wav", test::MakeWave(800));
    m_dir.Write("program/savedata.dat", "[Mascot-TEST]\nUseSound=1\n");
    const std::string ding = m_dir.File("ding.wav");
    const std::string pattern = "Name \"s\"\n PlaySound 2\n PlayFile \"" + ding +
                                "\"\n Wait 200\n PlayFile \"" + ding + "\"\n PlaySound 9\n Wait 1000\n";
    const std::string file = Container({pattern});
    ASSERT_EQ(Run("run --seconds 0.3 --dir " + Dir() + "program " + file), 0) << Err();
    // A wave played by name is not heard over one still playing; sound 9 names no file.
    EXPECT_THAT(Only(lines, {"sound", "playfile"}),
                ElementsAre(R"({"t":0,"ev":"sound","name":"sa0016_.wav","played":1,"index":2})",
                            R"({"t":0,"ev":"playfile","name":")" + ding + R"(","played":0})",
                            R"({"t":200,"ev":"playfile","name":")" + ding + R"(","played":1})",
                            R"({"t":200,"ev":"sound","name":"","played":0,"index":9})"));
}

TEST_F(KqtoolRunTest, FaultsHaltThePatternAndSayWhy) {
    const std::string file = Container({"Name \"jump\"\n Draw 0\n .byte 13, 0xFF, 0xFF, 0, 0\n"});
    ASSERT_EQ(Run("run --seconds 0.3 " + file), 0) << Err();
    EXPECT_THAT(Only(lines, {"draw", "wait", "halt"}),
                ElementsAre(R"({"t":0,"ev":"draw","frame":0})", R"({"t":0,"ev":"halt","reason":"invalid"})"));
}

TEST_F(KqtoolRunTest, FramesShowTheShapedMascotAsAPersonSeesIt) {
    const std::string file = Container({test::kIdlePattern});
    const std::string frames = Dir() + "frames";
    ASSERT_EQ(Run("run --seconds 0.2 --frames " + frames + " " + file), 0) << Err();
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(frames))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    // One picture a paint: the script's at 50, the show's and the script's at 100, and so on.
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(names.front(), "frame-000050-0001.png");
    EXPECT_EQ(names[1], "frame-000100-0002.png");
    // At 50 frame 1 (a 32-pixel square in colour 200 at 48, 48) lies over frame 0 (colour = row
    // / 10); the shape is the lower half of the frame.
    std::string error;
    const auto picture = ReadPng(frames + "/" + names.front(), &error);
    ASSERT_TRUE(picture) << error;
    ASSERT_EQ(picture->width, test::kFrameWidth);
    ASSERT_EQ(picture->height, test::kFrameHeight);
    const auto colour = [](uint32_t i) { return kOpaque | (i << 16) | ((255 - i) << 8) | (i / 2); };
    for (int32_t y = 0; y < test::kFrameHeight; ++y) {
        for (int32_t x = 0; x < test::kFrameWidth; ++x) {
            const bool inside = y >= test::kFrameHeight / 2;
            const bool square = x >= 48 && x < 80 && y >= 48 && y < 80;
            const uint32_t expected = !inside ? 0 : colour(square ? 200 : static_cast<uint32_t>(y / 10));
            ASSERT_EQ(picture->Pixel(x, y), expected) << "at " << x << ", " << y;
        }
    }
}

TEST_F(KqtoolRunTest, ExitStatusForUnreadableFilesDataThatCannotRunAndBadOptions) {
    const std::string file = Container({test::kIdlePattern});
    m_dir.Write("junk.kq", "KQ this is no container");
    struct Case {
        std::string args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"run " + Dir() + "missing.kq", 2, "missing.kq"},
        {"run " + m_dir.File("junk.kq"), 1, "could not start"},
        {"run", 64, "no FILE.kq"},
        {"run --seconds ten " + file, 64, "--seconds"},
        {"run --seconds 1.2345 " + file, 64, "--seconds"},
        {"run --click -5 " + file, 64, "--click"},
        {"run --command 5 " + file, 64, "--command"},
        {"run --command 5:70000 " + file, 64, "--command"},
        {"run --foreground 1,2,3 " + file, 64, "--foreground"},
        {"run --tag lower " + file, 64, "--tag"},
        {"run --fixed 1x " + file, 64, "--fixed"},
        {"run --settings 100:fixed=3 " + file, 64, "--settings"},
        {"run --settings 100:ok,pos=5 " + file, 64, "--settings"},
        {"run --settings 100:volume=5 " + file, 64, "--settings"},
        {"run --bogus 1 " + file, 64, "unknown option '--bogus'"},
        {"run " + file + " " + file, 64, "unexpected argument"},
        {"run --seed", 64, "--seed needs a value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        EXPECT_EQ(Run(c.args), c.status);
        EXPECT_THAT(Err(), HasSubstr(c.message));
    }
    // The data that cannot run still got its exit processing; nothing was printed for it.
    EXPECT_EQ(Run("run " + m_dir.File("junk.kq")), 1);
    EXPECT_THAT(lines, ::testing::IsEmpty());
}

}  // namespace
}  // namespace mascot
