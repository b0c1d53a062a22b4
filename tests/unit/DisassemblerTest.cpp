#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <sstream>
#include <string>

#include "script/Disassembler.h"
#include "support/ScriptAsm.h"

namespace mascot {
namespace {

using Bytes = std::vector<uint8_t>;

DisasmOptions TestDisasmOptions(uint16_t version) {
    DisasmOptions options;
    options.version = version;
    options.decode = [](std::string_view bytes) { return TrySjisToUtf8(std::string(bytes)); };
    options.encode = [](std::string_view text) { return TryUtf8ToSjis(std::string(text)); };
    return options;
}

// The text's statements, one a line, without comments, indentation or blank lines, and with each
// label renamed after its offset as the disassembler names them.
std::vector<std::string> Statements(const std::string& text, const AsmOutput& assembled) {
    std::vector<std::string> out;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        line = std::regex_replace(line, std::regex("^\\s+|\\s*;[^\"]*$|\\s+$"), "");
        for (const AsmLabel& label : assembled.labels)
            line = std::regex_replace(line, std::regex("\\b" + label.name + "\\b"),
                                      "L" + std::to_string(label.offset));
        // A label and its instruction on one line are two statements.
        if (std::smatch m; std::regex_match(line, m, std::regex("^(L\\d+:)\\s*(.+)$"))) {
            out.push_back(m[1]);
            out.push_back(m[2]);
        } else if (!line.empty()) {
            out.push_back(line);
        }
    }
    return out;
}

const char* const kEveryInstruction = R"(Name "歩く猫"
    MakeShape 'b', 5
    Let v9, v0
    SetShape v9
    ClearClick
    OnClick poke
    SetHeight 96
    Remark "a \"quoted\" back\\slash\x01"
    Let v1, 0
loop:
    Add v1, random100
    Sub v1, raw(0xC001)
    And v1, 32767
    Or v1, 5
    Or raw(0x0005), raw(0x8064)
    Mod v1, v2
    Draw 1
    If v1, <, 300, loop
    If cursor.x, >, cursor.y, away
    If time.ms, !, time.year, 2
    If time.month, =, time.day, 1
    If time.hour, 35, time.minute, 999999
    IfAutoOff still
    Wait 50
    WaitRandom 4000, 5000
    Goto loop
away:
    PlayFile "sa0014_.wav"
    PlaySound 2
    Launch "notepad.exe memo.txt"
    Font 12, "ＭＳ ゴシック"
    Text 10, 20, "こんにちは"
    ReadSetting "Mood", v3, 1
    WriteProfile "Count", v3
    Palette 'b', 0
    Palette 'a', position
    MakeShape 0, v4
    AltTarget 77
    ClearAltTarget
    Let raw(0x0004), time.second
still:
    SetPosition 100
poke:
    ChangePattern 0
    .byte 0, 32, 200, 255
)";

TEST(DisassemblerTest, AssemblingThenDisassemblingGivesTheTextBack) {
    for (uint16_t version : {uint16_t{300}, uint16_t{302}}) {
        SCOPED_TRACE(version);
        const AsmOutput assembled = Assemble(kEveryInstruction, test::TestAsmOptions(version));
        ASSERT_TRUE(assembled.Ok()) << assembled.errors[0].ToString();
        const std::string text = Disassemble(assembled.code, TestDisasmOptions(version));
        const std::vector<std::string> got = Statements(text, AsmOutput{});
        const std::vector<std::string> expected = Statements(kEveryInstruction, assembled);
        ASSERT_EQ(got.size(), expected.size()) << text;
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(got[i], expected[i]) << "statement " << i;
    }
}

// Bytes with no exact instruction text come back through .byte lines.
TEST(DisassemblerTest, DisassemblingThenAssemblingGivesTheBytesBack) {
    struct Case {
        const char* what;
        uint16_t version;
        Bytes code;
    };
    const Case cases[] = {
        {"no name first", 302, {8, 50, 0}},
        {"skipped bytes and a jump into them", 302, {16, 0, 0, 0, 0, 200, 13, 4, 0, 0, 0}},
        {"jump into an instruction", 300, {16, 0, 0, 13, 4, 0, 0, 0}},
        {"truncated end", 300, {16, 0, 0, 12, 1, 0, '<'}},
        {"length from a variable", 302, {16, 0, 0, 0, 3, 1, 0x80, 7, 7, 8, 1, 0}},
        {"empty string with a stored byte", 302, {16, 0, 0, 0, 3, 0, 0, 9, 8, 1, 0}},
        {"odd words", 300, {16, 0, 0, 4, 0xFB, 0xFF, 0x64, 0x80, 4, 0x05, 0x40, 0xFF, 0xBF}},
        {"not Shift-JIS", 300, {16, 2, 0, 0x82, 0x20, 3, 1, 0, 0xFF}},
        {"zero bytes inside a name", 302, {16, 3, 0, 3, 3, 3}},
        {"click target -1", 300, {16, 0, 0, 23, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string text = Disassemble(c.code, TestDisasmOptions(c.version));
        const AsmOutput back = Assemble(text, test::TestAsmOptions(c.version));
        ASSERT_TRUE(back.Ok()) << back.errors[0].ToString() << "\n" << text;
        EXPECT_EQ(back.code, c.code) << text;
    }
}

TEST(DisassemblerTest, OverlongStringsComeBackAsBytes) {
    Bytes code = {16, 0, 0, 0, 3, 0x2C, 0x01};  // Remark of 300 bytes
    code.resize(code.size() + 300, 'a');
    const std::string text = Disassemble(code, TestDisasmOptions(302));
    EXPECT_NE(text.find("Remark"), std::string::npos);  // named in the comment
    const AsmOutput back = Assemble(text, test::TestAsmOptions(302));
    ASSERT_TRUE(back.Ok());
    EXPECT_EQ(back.code, code);
}

// Whatever the bytes, their text assembles to them again.
TEST(DisassemblerTest, RandomBytesSurviveTheRoundTrip) {
    std::mt19937 random(302);
    for (int round = 0; round < 300; ++round) {
        const uint16_t version = round % 2 ? 302 : 300;
        Bytes code = test::Asm("Name \"r\"", version);
        const size_t length = random() % 64;
        for (size_t i = 0; i < length; ++i)
            code.push_back(static_cast<uint8_t>(random() % 4 ? random() % 32 : random()));
        const std::string text = Disassemble(code, TestDisasmOptions(version));
        const AsmOutput back = Assemble(text, test::TestAsmOptions(version));
        ASSERT_TRUE(back.Ok()) << back.errors[0].ToString() << "\n" << text;
        ASSERT_EQ(back.code, code) << text;
    }
}

TEST(DisassemblerTest, WithoutADecoderNonAsciiBytesAreEscaped) {
    const Bytes code = test::Asm("Name \"\xE3\x81\x82!\"", 300);
    EXPECT_NE(Disassemble(code, DisasmOptions{300, {}, {}}).find("Name \"\\x82\\xA0!\""), std::string::npos);
}

}  // namespace
}  // namespace mascot
