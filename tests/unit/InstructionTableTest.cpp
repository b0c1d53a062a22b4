#include <gtest/gtest.h>

#include <string>

#include "script/InstructionDecoder.h"
#include "script/Instructions.h"
#include "script/Interpreter.h"
#include "support/RecordingScriptHost.h"
#include "support/ScriptAsm.h"

namespace mascot {
namespace {

// A sample written for each operand kind; jumps lead to the instruction after.
std::string SampleOperand(OperandKind kind) {
    switch (kind) {
        case OperandKind::Byte:
            return "'b'";
        case OperandKind::Cmp:
            return "=";
        case OperandKind::Dword:
            return "123456";
        case OperandKind::Target:
            return "next";
        case OperandKind::Op:
            return "v1";
        case OperandKind::Dest:
            return "v2";
        case OperandKind::Str:
            return "\"abc\"";
        case OperandKind::None:
            break;
    }
    return "";
}

std::string SampleInstruction(const InstructionInfo& info) {
    std::string text(info.mnemonic);
    for (int i = 0; i < info.OperandCount(); ++i)
        text += (i ? ", " : " ") + SampleOperand(info.operands[i]);
    return text;
}

// Every instruction, assembled from the table, is consumed by the run exactly as far as the
// assembler wrote it: the run reaches the Wait right after it, or ends at its end.
TEST(InstructionTableTest, TheRunConsumesExactlyTheAssembledBytes) {
    for (uint16_t version : {uint16_t{300}, uint16_t{302}}) {
        for (const InstructionInfo& info : kInstructions) {
            if (!IsInstruction(info.opcode))
                continue;
            const std::string sample = SampleInstruction(info);
            SCOPED_TRACE(std::to_string(version) + ": " + sample);
            const bool yields = info.flow == Flow::Yield;
            const std::string text = "Name \"t\"\n " + sample + "\n" + (yields ? "" : "next: Wait 7\n");
            const AsmOutput out = Assemble(text, test::TestAsmOptions(version));
            ASSERT_TRUE(out.Ok()) << out.errors[0].ToString();
            const uint32_t start = out.lines[1].offset;
            const uint32_t end = yields ? static_cast<uint32_t>(out.code.size()) : out.lines[2].offset;

            const DecodedInstruction decoded = DecodeInstruction(out.code, start, version);
            EXPECT_EQ(decoded.status, DecodeStatus::Instruction);
            EXPECT_EQ(decoded.End(), end);

            test::RecordingScriptHost host;
            host.version = version;
            host.SetPatterns({out.code});
            ScriptState state;
            SelectInitialPattern(state, host, 1);
            const RunEnd ended = RunScript(state, host);
            if (info.opcode == static_cast<uint8_t>(Opcode::ChangePattern)) {
                EXPECT_EQ(ended, RunEnd::ChangePattern);
            } else if (yields) {
                EXPECT_EQ(state.m_pc, static_cast<int32_t>(end));
                EXPECT_FALSE(IsFault(ended));
            } else {
                EXPECT_EQ(ended, RunEnd::Wait);
                EXPECT_EQ(state.m_pc, static_cast<int32_t>(out.code.size()));
                EXPECT_EQ(host.events.back(), "SetTimer 1 7");
            }
        }
    }
}

TEST(InstructionTableTest, MnemonicsAreFoundInAnyCase) {
    for (const InstructionInfo& info : kInstructions) {
        if (!IsInstruction(info.opcode))
            continue;
        std::string lower(info.mnemonic);
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        ASSERT_NE(FindInstruction(lower), nullptr) << lower;
        EXPECT_EQ(FindInstruction(lower)->opcode, info.opcode);
    }
    EXPECT_EQ(FindInstruction(""), nullptr);
    EXPECT_EQ(FindInstruction("Jump"), nullptr);
}

}  // namespace
}  // namespace mascot
