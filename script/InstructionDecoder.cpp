#include "script/InstructionDecoder.h"

#include <algorithm>

#include "data/StringChains.h"

namespace mascot {
namespace {

// Reads little-endian immediates from a fixed range; a read past the end sets `truncated`.
class Cursor {
public:
    Cursor(std::span<const uint8_t> code, uint32_t pc) : m_code(code), m_pc(pc) {}

    uint32_t Pc() const { return m_pc; }
    bool Truncated() const { return m_truncated; }
    bool Skip(uint32_t count) {
        if (m_code.size() - m_pc < count) {
            m_truncated = true;
            return false;
        }
        m_pc += count;
        return true;
    }
    uint32_t Read(uint32_t count) {
        const uint32_t start = m_pc;
        if (!Skip(count))
            return 0;
        uint32_t value = 0;
        for (uint32_t i = count; i-- > 0;)
            value = (value << 8) | m_code[start + i];
        return value;
    }

private:
    std::span<const uint8_t> m_code;
    uint32_t m_pc;
    bool m_truncated = false;
};

DecodedInstruction Finish(DecodedInstruction out, DecodeStatus status, uint32_t end) {
    out.status = status;
    out.size = end - out.offset;
    return out;
}

}  // namespace

uint16_t DecodedInstruction::StringLength() const {
    for (int i = 0; i < kMaxOperands; ++i) {
        if (Info().operands[i] == OperandKind::Str)
            return static_cast<uint16_t>(values[i]);
    }
    return 0;
}

DecodedInstruction DecodeInstruction(std::span<const uint8_t> code, uint32_t offset, uint16_t version) {
    DecodedInstruction out;
    out.offset = offset;
    out.opcode = code[offset];
    if (!IsInstruction(out.opcode))
        return Finish(out, DecodeStatus::NotAnOpcode, offset + 1);
    const auto end = static_cast<uint32_t>(code.size());
    Cursor cursor(code, offset + 1);
    const InstructionInfo& info = out.Info();
    for (int i = 0; i < info.OperandCount(); ++i) {
        switch (info.operands[i]) {
            case OperandKind::Byte:
            case OperandKind::Cmp:
                out.values[i] = cursor.Read(1);
                break;
            case OperandKind::Dword:
            case OperandKind::Target:
                out.values[i] = cursor.Read(4);
                break;
            case OperandKind::Op:
            case OperandKind::Dest:
                out.values[i] = cursor.Read(2);
                break;
            case OperandKind::Str: {
                out.values[i] = cursor.Read(2);
                if (cursor.Truncated())
                    break;
                if (out.values[i] > kMaxLiteral)
                    return Finish(out, DecodeStatus::VariableLength, end);
                const uint32_t length = out.values[i];
                out.stringOffset = cursor.Pc();
                out.stringStored = version >= kFirstScrambledVersion ? std::max<uint32_t>(length, 1) : length;
                cursor.Skip(out.stringStored);
                break;
            }
            case OperandKind::None:
                break;
        }
        if (cursor.Truncated())
            return Finish(out, DecodeStatus::Truncated, end);
    }
    return Finish(out, DecodeStatus::Instruction, cursor.Pc());
}

std::vector<DecodedInstruction> DecodeAll(std::span<const uint8_t> code, uint16_t version) {
    std::vector<DecodedInstruction> all;
    for (uint32_t pc = 0; pc < code.size();) {
        all.push_back(DecodeInstruction(code, pc, version));
        pc = all.back().End();
    }
    return all;
}

std::vector<uint8_t> DecodedString(std::span<const uint8_t> code, const DecodedInstruction& instruction,
                                   uint16_t version) {
    const uint16_t length = instruction.StringLength();
    if (instruction.status != DecodeStatus::Instruction || instruction.stringStored < length)
        return {};
    const std::span<const uint8_t> stored = code.subspan(instruction.stringOffset, length);
    std::vector<uint8_t> plain(stored.begin(), stored.end());
    if (version < kFirstScrambledVersion)
        return plain;
    const auto key = static_cast<uint8_t>(length & 0xFF);
    if (instruction.opcode == static_cast<uint8_t>(Opcode::Name))
        DecodeNameChain(stored, key, plain);
    else
        DecodeScriptChain(stored, key, plain);
    return plain;
}

}  // namespace mascot
