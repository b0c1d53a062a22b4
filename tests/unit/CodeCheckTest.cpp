#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "script/CodeCheck.h"
#include "support/ScriptAsm.h"

namespace mascot {
namespace {

using ::testing::IsEmpty;

struct Expected {
    CodeProblem problem;
    int line;  // of the instruction the finding names
};

struct Case {
    const char* what;
    const char* text;
    std::vector<Expected> findings;
};

std::string Describe(const std::vector<CodeFinding>& findings) {
    std::string out;
    for (const CodeFinding& finding : findings)
        out += std::to_string(finding.offset) + " " + CodeProblemName(finding.problem) + ": " +
               finding.message + "\n";
    return out;
}

// Each finding names the offset of the line the case expects.
TEST(CodeCheckTest, FindingsNameTheOffsetOfTheirInstruction) {
    const Case cases[] = {
        {"a sound pattern",
         "Name \"ok\"\nloop: Draw 1\n Wait 50\n Draw 2\n WaitRandom 4000, 5000\n Goto loop\n",
         {}},
        {"loop with no wait",
         "Name \"n\"\nloop: Add v1, 1\n If v1, <, 10, loop\n Wait 5\n",
         {{CodeProblem::EndlessLoop, 3}}},
        {"endless goto", "Name \"n\"\n Wait 1\nhere: Goto here\n", {{CodeProblem::EndlessLoop, 3}}},
        {"loop in a click handler",
         "Name \"n\"\n OnClick spin\n SetPosition 5\nspin: Draw 1\n Goto spin\n",
         {{CodeProblem::EndlessLoop, 5}}},
        {"a loop that halts at SetPosition or changes pattern is fine",
         "Name \"n\"\nloop: If v1, =, 1, out\n SetPosition 50\n Goto loop\nout: ChangePattern 0\n",
         {}},
        {"If with an unknown code never jumps",
         "Name \"n\"\nloop: If 1, 35, 1, loop\n Wait 1\n Goto loop\n",
         {}},
        {"falls off the end", "Name \"n\"\n Wait 1\n Draw 3\n", {{CodeProblem::RunsOffTheEnd, 3}}},
        {"halting at the end is fine", "Name \"n\"\n SetPosition 1\n", {}},
        {"targets",
         "Name \"n\"\n Goto 5\n IfAutoOff 5000\n OnClick 4294967295\n Wait 1\n",
         {{CodeProblem::UnknownTarget, 2}, {CodeProblem::TargetOutside, 3}}},
        {"variables",
         "Name \"n\"\n Let raw(0x8064), raw(0xFFFB)\n Let raw(0xC001), v99\n Wait raw(0x8100)\n SetPosition "
         "0\n",
         {{CodeProblem::InvalidVariable, 2},
          {CodeProblem::InvalidVariable, 2},
          {CodeProblem::InvalidVariable, 3},
          {CodeProblem::InvalidVariable, 4}}},
        {"sounds and slots",
         "Name \"n\"\n PlaySound 4\n PlaySound 5\n PlaySound v1\n SetShape 15\n SetShape 16\n SetPosition "
         "0\n",
         {{CodeProblem::SoundIndex, 3}, {CodeProblem::MissingSlot, 6}}},
        {"images",
         "Name \"n\"\n Draw 6\n Draw 7\n MakeShape 'b', 7\n MakeShape 'a', 7\n Palette 'b', 9\n SetPosition "
         "0\n",
         {{CodeProblem::MissingImage, 3}, {CodeProblem::MissingImage, 4}, {CodeProblem::MissingImage, 6}}},
        {"pattern numbers",
         "Name \"n\"\n ChangePattern 3\n ChangePattern 0\n ChangePattern v1\n ChangePattern 4\n",
         {{CodeProblem::MissingPattern, 5}}},
        {"no name", "Draw 1\n Wait 1\n", {{CodeProblem::MissingName, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string_view text = c.text;
        const bool named = text.starts_with("Name");
        const AsmOutput out =
            Assemble(named ? text : "Name \"\"\n" + std::string(text), test::TestAsmOptions());
        ASSERT_TRUE(out.Ok()) << out.errors[0].ToString();
        std::vector<uint8_t> code = out.code;
        uint32_t shift = 0;
        if (!named) {  // drop the name again
            shift = out.lines[1].offset;
            code.erase(code.begin(), code.begin() + shift);
        }
        const std::vector<CodeFinding> findings = CheckPattern(code, CodeCheckOptions{302, 7, 3});
        ASSERT_EQ(findings.size(), c.findings.size()) << Describe(findings);
        for (size_t i = 0; i < findings.size(); ++i) {
            EXPECT_EQ(findings[i].problem, c.findings[i].problem) << Describe(findings);
            EXPECT_EQ(out.LineOf(findings[i].offset + shift), c.findings[i].line + (named ? 0 : 1))
                << Describe(findings);
        }
    }
}

TEST(CodeCheckTest, UndecodableBytesAreNamed) {
    struct ByteCase {
        const char* what;
        std::vector<uint8_t> code;
        CodeProblem problem;
        uint32_t offset;
    };
    const ByteCase cases[] = {
        {"truncated", {16, 0, 0, 0, 8, 1}, CodeProblem::Truncated, 4},
        {"length from a variable", {16, 0, 0, 0, 3, 1, 0x80, 8, 1, 0}, CodeProblem::VariableLength, 4},
        {"name length from a variable", {16, 1, 0x80, 0, 8, 1, 0}, CodeProblem::MissingName, 0},
        {"long string", {16, 0, 0, 0, 14, 0, 0, 3, 0, 1, 0}, CodeProblem::LongString, 7},
    };
    for (const ByteCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> code = c.code;
        if (c.problem == CodeProblem::LongString)
            code.resize(code.size() + 256, 'a');
        const std::vector<CodeFinding> findings = CheckPattern(code);
        ASSERT_FALSE(findings.empty());
        EXPECT_EQ(findings[0].problem, c.problem) << Describe(findings);
        EXPECT_EQ(findings[0].offset, c.offset) << Describe(findings);
    }
}

TEST(CodeCheckTest, WithoutAnImageCountImagesAreNotChecked) {
    const std::vector<uint8_t> code = test::Asm("Name \"n\"\n Draw 999\n SetPosition 0\n");
    EXPECT_THAT(CheckPattern(code), IsEmpty());
    EXPECT_EQ(CheckPattern(code, CodeCheckOptions{302, 3, std::nullopt}).size(), 1u);
}

TEST(CodeCheckTest, WithoutAPatternCountPatternNumbersAreNotChecked) {
    const std::vector<uint8_t> code = test::Asm("Name \"n\"\n ChangePattern 17\n");
    EXPECT_THAT(CheckPattern(code), IsEmpty());
    EXPECT_EQ(CheckPattern(code, CodeCheckOptions{302, std::nullopt, 16}).size(), 1u);
}

}  // namespace
}  // namespace mascot
