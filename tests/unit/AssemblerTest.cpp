#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "script/Assembler.h"
#include "script/Instructions.h"
#include "data/StringChains.h"
#include "support/ScriptAsm.h"

namespace mascot {
namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using Bytes = std::vector<uint8_t>;

// The two chains worked out by hand. Script chain: s[0] = p[0] ^ L, s[i] = p[i] ^ p[i-1].
// Name chain: s[0] = p[0] ^ N, s[k] = p[k] ^ s[k-1].
TEST(AssemblerTest, StringsUseTheChainOfTheirInstructionAndVersion) {
    struct Case {
        const char* text;
        uint16_t version;
        Bytes bytes;
    };
    const Case cases[] = {
        // "AB": 0x41 ^ 2 = 0x43; script 0x42 ^ 0x41 = 0x03; name 0x42 ^ 0x43 = 0x01.
        {"Name \"AB\"", 302, {16, 2, 0, 0x43, 0x01}},
        {"Name \"x\"\nRemark \"AB\"", 302, {16, 1, 0, 'x' ^ 1, 3, 2, 0, 0x43, 0x03}},
        // "abc": 0x61 ^ 3 = 0x62; script 0x62 ^ 0x61 = 0x03, 0x63 ^ 0x62 = 0x01;
        // name 0x62 ^ 0x62 = 0x00, 0x63 ^ 0x00 = 0x63.
        {"Name \"abc\"", 301, {16, 3, 0, 0x62, 0x00, 0x63}},
        {"Name \"x\"\nPlayFile \"abc\"", 303, {16, 1, 0, 'x' ^ 1, 10, 3, 0, 0x62, 0x03, 0x01}},
        {"Name \"AB\"\nRemark \"AB\"", 300, {16, 2, 0, 'A', 'B', 3, 2, 0, 'A', 'B'}},
        // Empty strings: one stored byte when scrambled (for Name too: the interpreter reads it).
        {"Name \"\"\nRemark \"\"", 302, {16, 0, 0, 0, 3, 0, 0, 0}},
        {"Name \"\"\nRemark \"\"", 300, {16, 0, 0, 3, 0, 0}},
        // UTF-8 text is stored as Shift-JIS; escapes are stored as they are.
        {"Name \"\xE3\x81\x82\"", 300, {16, 2, 0, 0x82, 0xA0}},
        {"Name \"\\x82\\xA0\\\\\\\"\\n\"", 300, {16, 5, 0, 0x82, 0xA0, '\\', '"', '\n'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_THAT(test::Asm(c.text, c.version), ElementsAreArray(c.bytes));
    }
}

TEST(AssemblerTest, ChainReadersInvertTheirWriters) {
    std::mt19937 random(7);
    for (size_t length = 1; length <= 255; ++length) {
        Bytes plain(length);
        for (uint8_t& byte : plain)
            byte = static_cast<uint8_t>(random());
        const auto key = static_cast<uint8_t>(length);
        Bytes script(length), name(length), back(length);
        EncodeScriptChain(plain, key, script);
        EncodeNameChain(plain, key, name);
        DecodeScriptChain(script, key, back);
        ASSERT_EQ(back, plain) << length;
        DecodeNameChain(name, key, back);
        ASSERT_EQ(back, plain) << length;
    }
}

TEST(AssemblerTest, OperandsEncodeAsTheInterpreterReadsThem) {
    struct Case {
        const char* line;
        Bytes bytes;
    };
    const Case cases[] = {
        {"Let v5, 5", {4, 0x05, 0x80, 5, 0}},
        {"Let raw(5), raw(0xC005)", {4, 5, 0, 0x05, 0xC0}},
        {"Add v99, 32767", {5, 0x63, 0x80, 0xFF, 0x7F}},
        {"Let v0, time.ms", {4, 0, 0x80, 0xF4, 0xFF}},
        {"Let v0, time.second", {4, 0, 0x80, 0xFA, 0xFF}},
        {"Let v0, random100", {4, 0, 0x80, 0xFC, 0xFF}},
        {"Let v0, position", {4, 0, 0x80, 0xFD, 0xFF}},
        {"Let v0, cursor.y", {4, 0, 0x80, 0xFE, 0xFF}},
        {"Let v0, cursor.x", {4, 0, 0x80, 0xFF, 0xFF}},
        {"MakeShape 'b', 0x10", {1, 'b', 16, 0}},
        {"Palette 97, 1", {31, 97, 1, 0}},
        {"If v1, !, 2, 0x01020304", {12, 1, 0x80, '!', 2, 0, 4, 3, 2, 1}},
        {"If 1, 35, 2, 0", {12, 1, 0, 35, 2, 0, 0, 0, 0, 0}},
        {"IfAutoOff 4294967295", {21, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"AltTarget 7", {27, 7, 0, 0, 0}},
        {"clearclick", {22}},
        {"ReadSetting \"K\", v3, 9", {29, 1, 0, 'K', 3, 0x80, 9, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const Bytes code = test::Asm("Name \"\"\n" + std::string(c.line), 300);
        ASSERT_GE(code.size(), 3u);
        EXPECT_THAT(Bytes(code.begin() + 3, code.end()), ElementsAreArray(c.bytes));
    }
}

TEST(AssemblerTest, LabelsResolveForwardAndBackward) {
    const AsmOutput out =
        Assemble("Name \"\"\nstart: Goto end\nend:\n  OnClick start\n", test::TestAsmOptions(300));
    ASSERT_TRUE(out.Ok());
    EXPECT_EQ(out.LabelOffset("start"), 3u);
    EXPECT_EQ(out.LabelOffset("end"), 8u);
    EXPECT_THAT(out.code, ElementsAreArray(Bytes{16, 0, 0, 13, 8, 0, 0, 0, 23, 3, 0, 0, 0}));
    EXPECT_EQ(out.LineOf(9), 4);
}

TEST(AssemblerTest, ErrorsNameFileLineAndColumn) {
    struct Case {
        const char* text;
        int line;
        int column;
        const char* message;
    };
    const Case cases[] = {
        {"", 1, 1, "begins with its Name"},
        {"; only a comment\n", 1, 1, "begins with its Name"},
        {"Wait 5\n", 1, 1, "begins with its Name"},
        {"Name \"n\"\n  Jump 5\n", 2, 3, "unknown instruction 'Jump'"},
        {"Name \"n\"\nWait\n", 2, 1, "takes 1 operand, not 0"},
        {"Name \"n\"\nLet v1, 2, 3\n", 2, 1, "takes 2 operands, not 3"},
        {"Name \"n\"\nLet v1,\n", 2, 1, "takes 2 operands, not 1"},
        {"Name \"n\"\nWait 32768\n", 2, 6, "at most 32767"},
        {"Name \"n\"\nWait v100\n", 2, 6, "v0 to v99"},
        {"Name \"n\"\nLet v12345, 1\n", 2, 5, "v0 to v99"},
        {"Name \"n\"\nLet 5, 1\n", 2, 5, "expected a variable"},
        {"Name \"n\"\nWait time.week\n", 2, 6, "expected an operand"},
        {"Name \"n\"\nGoto nowhere\n", 2, 6, "unknown label 'nowhere'"},
        {"Name \"n\"\na: Wait 1\na: Wait 2\n", 3, 1, "already defined"},
        {"Name \"n\"\nRemark \"open\n", 2, 8, "closing quote"},
        {"Name \"n\"\nRemark \"\\q\"\n", 2, 9, "unknown escape"},
        {"Name \"n\"\nRemark \"\xF0\x9F\x98\x80\"\n", 2, 8, "Shift-JIS cannot store"},
        {"Name \"n\"\nIf 1, ?, 2, 0\n", 2, 7, "unexpected character"},
        {"Name \"n\"\nIf 1, 2, 2, 0\nIf 1, +, 2, 0\n", 3, 7, "unexpected character"},
        {"Name \"n\"\nMakeShape 256, 1\n", 2, 11, "expected a byte"},
        {"Name \"n\"\n.byte 1 2\n", 2, 9, "expected ','"},
        {"Name \"n\"\nWait 0x\n", 2, 6, "without digits"},
        {"Name \"n\"\nAltTarget 4294967296\n", 2, 11, "too large"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const AsmOutput out = Assemble(c.text, test::TestAsmOptions());
        ASSERT_FALSE(out.Ok());
        const AsmError& error = out.errors.front();
        EXPECT_EQ(error.file, "test.kqs");
        EXPECT_EQ(error.line, c.line);
        EXPECT_EQ(error.column, c.column);
        EXPECT_THAT(error.message, HasSubstr(c.message));
    }
}

TEST(AssemblerTest, StringsOver255BytesAreRefused) {
    const std::string text = "Name \"n\"\nRemark \"" + std::string(256, 'a') + "\"\n";
    const AsmOutput out = Assemble(text, test::TestAsmOptions());
    ASSERT_EQ(out.errors.size(), 1u);
    EXPECT_EQ(out.errors[0].ToString(), "test.kqs:2:8: string of 256 bytes; at most 255 fit");
    EXPECT_TRUE(
        Assemble("Name \"n\"\nRemark \"" + std::string(255, 'a') + "\"\n", test::TestAsmOptions()).Ok());
}

TEST(AssemblerTest, EveryErrorOfATextIsReported) {
    const AsmOutput out = Assemble("Name \"n\"\nWait v200\nFoo\nGoto x\n", test::TestAsmOptions());
    ASSERT_EQ(out.errors.size(), 3u);
    EXPECT_EQ(out.errors[0].line, 2);
    EXPECT_EQ(out.errors[1].line, 3);
    EXPECT_EQ(out.errors[2].line, 4);
}

}  // namespace
}  // namespace mascot
