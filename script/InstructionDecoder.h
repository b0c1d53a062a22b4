// Decodes one instruction of a pattern without running it, for the tools: the disassembler and
// the byte-code checker walk patterns with it. Reads stay inside the given bytes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "script/Instructions.h"

namespace mascot {

enum class DecodeStatus : uint8_t {
    Instruction,     // a whole instruction
    NotAnOpcode,     // a byte the interpreter skips; size 1
    Truncated,       // the instruction runs past the end; size = the bytes left
    VariableLength,  // a string whose length comes from a variable or special operand: its size
                     // is known only when it runs; size = the bytes left
};

struct DecodedInstruction {
    DecodeStatus status = DecodeStatus::NotAnOpcode;
    uint32_t offset = 0;
    uint32_t size = 0;
    uint8_t opcode = 0;
    // The stored values of the operands in table order: bytes, dwords and 16-bit words as they
    // are stored (operand words undecoded); for a string its length word.
    std::array<uint32_t, kMaxOperands> values{};
    // The string operand, when the instruction has one: where its stored bytes start and how
    // many there are (one for an empty string from version 301 on).
    uint32_t stringOffset = 0;
    uint32_t stringStored = 0;

    const InstructionInfo& Info() const { return kInstructions[IsInstruction(opcode) ? opcode : 0]; }
    uint32_t End() const { return offset + size; }
    // The string's length L (its length word, which decoding required to be a literal).
    uint16_t StringLength() const;
};

// Decodes the instruction at `offset` (which must lie inside `code`).
DecodedInstruction DecodeInstruction(std::span<const uint8_t> code, uint32_t offset, uint16_t version);

// Every instruction from offset 0 to the end, in order; a VariableLength or Truncated entry is
// the last one.
std::vector<DecodedInstruction> DecodeAll(std::span<const uint8_t> code, uint16_t version);

// The decoded bytes of the instruction's string: the name chain for Name, the script chain for
// every other string from version 301 on, plain below. All L bytes, even beyond 255.
std::vector<uint8_t> DecodedString(std::span<const uint8_t> code, const DecodedInstruction& instruction,
                                   uint16_t version);

}  // namespace mascot
