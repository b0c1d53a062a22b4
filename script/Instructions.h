// The script instruction set, described once: the interpreter decodes operands by this table, the
// assembler and disassembler read and write its mnemonics, and the byte-code checker walks
// patterns with it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "data/StringChains.h"

namespace mascot {

// How an instruction's operands are stored, in the order they follow the opcode.
enum class OperandKind : uint8_t {
    None,
    Byte,    // an unsigned byte (the kind byte of MakeShape and Palette)
    Cmp,     // If's comparison code byte: '!', '<', '=', '>'; any other byte never jumps
    Dword,   // a plain 32-bit immediate
    Target,  // a 32-bit byte offset into the current pattern: a jump or click target
    Op,      // a 16-bit operand word: literal, variable or special value
    Dest,    // a 16-bit destination word: variable number = word AND 0x7FFF
    Str,     // a string: an operand word giving the length, then the stored bytes
};

// What an instruction does to the order of execution.
enum class Flow : uint8_t {
    Next,    // continues with the next instruction
    Jump,    // always continues at its target
    Branch,  // continues at its target or with the next instruction
    Yield,   // ends the run
};

enum class Opcode : uint8_t {
    MakeShape = 1,
    SetShape = 2,
    Remark = 3,
    Let = 4,
    Add = 5,
    Sub = 6,
    Draw = 7,
    Wait = 8,
    WaitRandom = 9,
    PlayFile = 10,
    PlaySound = 11,
    If = 12,
    Goto = 13,
    SetPosition = 14,
    ChangePattern = 15,
    Name = 16,
    SetHeight = 17,
    And = 18,
    Or = 19,
    Mod = 20,
    IfAutoOff = 21,
    ClearClick = 22,
    OnClick = 23,
    Launch = 24,
    Text = 25,
    Font = 26,
    AltTarget = 27,
    ClearAltTarget = 28,
    ReadSetting = 29,
    WriteProfile = 30,
    Palette = 31,
};

inline constexpr int kMaxOperands = 4;
inline constexpr int kOpcodeCount = 32;  // 0 and 32 to 255 are no instructions: the run skips them

struct InstructionInfo {
    uint8_t opcode = 0;
    std::string_view mnemonic;  // empty for opcode 0, which is no instruction
    std::array<OperandKind, kMaxOperands> operands{};
    Flow flow = Flow::Next;

    constexpr int OperandCount() const {
        int count = 0;
        while (count < kMaxOperands && operands[count] != OperandKind::None)
            ++count;
        return count;
    }
};

constexpr std::array<InstructionInfo, kOpcodeCount> MakeInstructionTable() {
    using enum OperandKind;
    using enum Flow;
    return {{
        {0, "", {}, Next},
        {1, "MakeShape", {Byte, Op}, Next},
        {2, "SetShape", {Op}, Next},
        {3, "Remark", {Str}, Next},
        {4, "Let", {Dest, Op}, Next},
        {5, "Add", {Dest, Op}, Next},
        {6, "Sub", {Dest, Op}, Next},
        {7, "Draw", {Op}, Next},
        {8, "Wait", {Op}, Yield},
        {9, "WaitRandom", {Op, Op}, Yield},
        {10, "PlayFile", {Str}, Next},
        {11, "PlaySound", {Op}, Next},
        {12, "If", {Op, Cmp, Op, Target}, Branch},
        {13, "Goto", {Target}, Jump},
        {14, "SetPosition", {Op}, Yield},
        {15, "ChangePattern", {Op}, Yield},
        {16, "Name", {Str}, Next},
        {17, "SetHeight", {Op}, Next},
        {18, "And", {Dest, Op}, Next},
        {19, "Or", {Dest, Op}, Next},
        {20, "Mod", {Dest, Op}, Next},
        {21, "IfAutoOff", {Target}, Branch},
        {22, "ClearClick", {}, Next},
        {23, "OnClick", {Target}, Next},
        {24, "Launch", {Str}, Next},
        {25, "Text", {Op, Op, Str}, Next},
        {26, "Font", {Op, Str}, Next},
        {27, "AltTarget", {Dword}, Next},
        {28, "ClearAltTarget", {}, Next},
        {29, "ReadSetting", {Str, Dest, Op}, Next},
        {30, "WriteProfile", {Str, Op}, Next},
        {31, "Palette", {Byte, Op}, Next},
    }};
}

inline constexpr std::array<InstructionInfo, kOpcodeCount> kInstructions = MakeInstructionTable();

constexpr bool OpcodesMatchTheirEntries() {
    for (int i = 0; i < kOpcodeCount; ++i) {
        if (kInstructions[i].opcode != i)
            return false;
    }
    return true;
}
static_assert(OpcodesMatchTheirEntries(), "entry n of the instruction table must describe opcode n");

// True for the opcodes 1 to 31; every other byte in the instruction stream is skipped.
constexpr bool IsInstruction(uint8_t opcode) {
    return opcode != 0 && opcode < kOpcodeCount;
}

// The instruction with this mnemonic, compared without regard to letter case; null when none.
const InstructionInfo* FindInstruction(std::string_view mnemonic);

// The special operand words and how the text form names them.
struct SpecialOperand {
    uint16_t word = 0;
    std::string_view name;
};

inline constexpr uint16_t kOperandTimeMs = 0xFFF4;  // -12: refreshes the local-time copy
inline constexpr uint16_t kOperandYear = 0xFFF5;    // -11 to -6 read the copy
inline constexpr uint16_t kOperandMonth = 0xFFF6;
inline constexpr uint16_t kOperandDay = 0xFFF7;
inline constexpr uint16_t kOperandHour = 0xFFF8;
inline constexpr uint16_t kOperandMinute = 0xFFF9;
inline constexpr uint16_t kOperandSecond = 0xFFFA;
inline constexpr uint16_t kOperandUnused = 0xFFFB;     // -5: a reference to variable 0x3FFB, invalid
inline constexpr uint16_t kOperandRandom100 = 0xFFFC;  // -4
inline constexpr uint16_t kOperandPosition = 0xFFFD;   // -3
inline constexpr uint16_t kOperandCursorY = 0xFFFE;    // -2
inline constexpr uint16_t kOperandCursorX = 0xFFFF;    // -1
inline constexpr uint16_t kFirstSpecialOperand = kOperandTimeMs;

// The variable file holds variables 0 to 99.
inline constexpr int kVariableCount = 100;
inline constexpr uint16_t kVariableFlag = 0x8000;         // operand words 0x8000 and up name variables
inline constexpr uint16_t kOperandVariableMask = 0x3FFF;  // bit 14 of a reference is ignored
inline constexpr uint16_t kDestVariableMask = 0x7FFF;     // a destination ignores bit 15 only
inline constexpr uint16_t kMaxLiteral = 0x7FFF;

inline constexpr std::array<SpecialOperand, 11> kSpecialOperands = {{
    {kOperandTimeMs, "time.ms"},
    {kOperandYear, "time.year"},
    {kOperandMonth, "time.month"},
    {kOperandDay, "time.day"},
    {kOperandHour, "time.hour"},
    {kOperandMinute, "time.minute"},
    {kOperandSecond, "time.second"},
    {kOperandRandom100, "random100"},
    {kOperandPosition, "position"},
    {kOperandCursorY, "cursor.y"},
    {kOperandCursorX, "cursor.x"},
}};

// If's comparison codes.
inline constexpr uint8_t kCmpNotEqual = '!';
inline constexpr uint8_t kCmpLess = '<';
inline constexpr uint8_t kCmpEqual = '=';
inline constexpr uint8_t kCmpGreater = '>';

// The run's string buffer holds 256 bytes including the terminating zero.
inline constexpr int kMaxStringLength = 255;

}  // namespace mascot
