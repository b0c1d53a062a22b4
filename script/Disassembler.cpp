#include "script/Disassembler.h"

#include <cstdio>
#include <set>
#include <vector>

#include "script/AsmLexer.h"
#include "script/InstructionDecoder.h"

namespace mascot {
namespace {

std::string Hex16(uint32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", word);
    return text;
}

std::string LabelName(uint32_t offset) {
    return "L" + std::to_string(offset);
}

class PatternDisassembler {
public:
    PatternDisassembler(std::span<const uint8_t> code, const DisasmOptions& options)
        : m_code(code), m_options(options) {}

    std::string Run();

private:
    bool HasTextForm(const DecodedInstruction& instruction) const;
    std::string InstructionText(const DecodedInstruction& instruction) const;
    std::string OperandText(OperandKind kind, uint32_t value, const DecodedInstruction& instruction) const;
    std::string StringText(const DecodedInstruction& instruction) const;
    void Bytes(uint32_t from, uint32_t to, std::string_view comment);

    std::span<const uint8_t> m_code;
    const DisasmOptions& m_options;
    std::set<uint32_t> m_labels;
    std::string m_out;
};

std::string PatternDisassembler::Run() {
    const std::vector<DecodedInstruction> all = DecodeAll(m_code, m_options.version);
    std::set<uint32_t> starts;
    for (const DecodedInstruction& instruction : all)
        starts.insert(instruction.offset);
    for (const DecodedInstruction& instruction : all) {
        if (instruction.status != DecodeStatus::Instruction)
            continue;
        for (int i = 0; i < kMaxOperands; ++i) {
            if (instruction.Info().operands[i] == OperandKind::Target && starts.count(instruction.values[i]))
                m_labels.insert(instruction.values[i]);
        }
    }
    m_out = "; " + std::to_string(m_code.size()) + " bytes, container version " +
            std::to_string(m_options.version) + "\n";
    for (size_t i = 0; i < all.size(); ++i) {
        const DecodedInstruction& instruction = all[i];
        if (m_labels.count(instruction.offset))
            m_out += LabelName(instruction.offset) + ":\n";
        switch (instruction.status) {
            case DecodeStatus::Instruction:
                if (i == 0 && instruction.opcode != static_cast<uint8_t>(Opcode::Name))
                    Bytes(instruction.offset, instruction.End(), "the pattern does not begin with Name");
                else if (HasTextForm(instruction))
                    m_out += "    " + InstructionText(instruction) + "\n";
                else
                    Bytes(instruction.offset, instruction.End(), instruction.Info().mnemonic);
                break;
            case DecodeStatus::NotAnOpcode: {
                // Gather a run of skipped bytes into one line.
                size_t last = i;
                while (last + 1 < all.size() && all[last + 1].status == DecodeStatus::NotAnOpcode &&
                       !m_labels.count(all[last + 1].offset))
                    ++last;
                Bytes(instruction.offset, all[last].End(), "skipped by the run");
                i = last;
                break;
            }
            case DecodeStatus::Truncated:
                Bytes(instruction.offset, instruction.End(), "an instruction cut off by the end");
                break;
            case DecodeStatus::VariableLength:
                Bytes(instruction.offset, instruction.End(),
                      "a string whose length is known only at run time");
                break;
        }
    }
    return m_out;
}

// Whether assembling the instruction's text gives its bytes back.
bool PatternDisassembler::HasTextForm(const DecodedInstruction& instruction) const {
    if (instruction.stringStored == 0 && instruction.StringLength() == 0)
        return true;
    if (instruction.StringLength() > kMaxStringLength)
        return false;
    // An empty scrambled string stores one byte, which the assembler writes as 0.
    return instruction.StringLength() != 0 || m_code[instruction.stringOffset] == 0;
}

std::string PatternDisassembler::InstructionText(const DecodedInstruction& instruction) const {
    const InstructionInfo& info = instruction.Info();
    std::string text(info.mnemonic);
    for (int i = 0; i < info.OperandCount(); ++i)
        text += (i == 0 ? " " : ", ") + OperandText(info.operands[i], instruction.values[i], instruction);
    return text;
}

std::string PatternDisassembler::OperandText(OperandKind kind, uint32_t value,
                                             const DecodedInstruction& instruction) const {
    switch (kind) {
        case OperandKind::Byte:
            if ((value >= 'a' && value <= 'z') || (value >= 'A' && value <= 'Z'))
                return std::string("'") + static_cast<char>(value) + "'";
            return std::to_string(value);
        case OperandKind::Cmp:
            if (value == kCmpNotEqual || value == kCmpLess || value == kCmpEqual || value == kCmpGreater)
                return std::string(1, static_cast<char>(value));
            return std::to_string(value);
        case OperandKind::Dword:
            return std::to_string(value);
        case OperandKind::Target:
            return m_labels.count(value) ? LabelName(value) : std::to_string(value);
        case OperandKind::Op:
            if (value <= kMaxLiteral)
                return std::to_string(value);
            for (const SpecialOperand& special : kSpecialOperands) {
                if (special.word == value)
                    return std::string(special.name);
            }
            [[fallthrough]];
        case OperandKind::Dest:
            if (value >= kVariableFlag && value < kVariableFlag + 100)
                return "v" + std::to_string(value - kVariableFlag);
            return "raw(" + Hex16(value) + ")";
        case OperandKind::Str:
            return StringText(instruction);
        case OperandKind::None:
            break;
    }
    return "";
}

std::string PatternDisassembler::StringText(const DecodedInstruction& instruction) const {
    const std::vector<uint8_t> plain = DecodedString(m_code, instruction, m_options.version);
    const std::string bytes(plain.begin(), plain.end());
    if (!m_options.decode)
        return QuoteRawBytes(bytes);
    const std::optional<std::string> text = m_options.decode(bytes);
    const std::optional<std::string> back = text && m_options.encode ? m_options.encode(*text) : text;
    if (!text || back != bytes)
        return QuoteRawBytes(bytes);
    // Text as it reads; quotes, backslashes and control bytes escaped.
    std::string out = "\"";
    for (const char c : *text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\' || byte < 0x20 || byte == 0x7F) {
            const std::string quoted = QuoteRawBytes(std::string(1, c));
            out += quoted.substr(1, quoted.size() - 2);
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void PatternDisassembler::Bytes(uint32_t from, uint32_t to, std::string_view comment) {
    constexpr uint32_t kPerLine = 16;
    for (uint32_t start = from; start < to; start += kPerLine) {
        std::string line = "    .byte ";
        for (uint32_t i = start; i < to && i < start + kPerLine; ++i)
            line += (i == start ? "" : ", ") + std::to_string(m_code[i]);
        if (start == from)
            line += "  ; " + std::string(comment);
        m_out += line + "\n";
    }
}

}  // namespace

std::string Disassemble(std::span<const uint8_t> code, const DisasmOptions& options) {
    return PatternDisassembler(code, options).Run();
}

}  // namespace mascot
