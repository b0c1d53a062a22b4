// Reads the immediates, operands and strings of the current pattern during one run. Every read
// stays inside the pattern's bytes: one that would leave them yields 0 and marks the reader
// failed, and the run halts before the instruction has any effect.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "script/Instructions.h"
#include "script/ScriptHost.h"
#include "script/ScriptState.h"

namespace mascot {

class ScriptReader {
public:
    // Starts at the state's m_pc, which the caller has checked lies inside the pattern.
    ScriptReader(ScriptState& state, ScriptHost& host);

    bool Failed() const { return m_failed; }
    size_t Pc() const { return m_pc; }
    bool Contains(uint32_t offset) const { return offset < m_size; }
    // Continues at `offset`, which the caller has checked with Contains.
    void Jump(uint32_t offset) { m_pc = offset; }

    uint8_t FetchByte() {
        if (m_pc >= m_size)
            return Fail();
        return m_data[m_pc++];
    }
    uint16_t FetchWord() {
        if (m_size - m_pc < 2)
            return Fail();
        const uint16_t value = static_cast<uint16_t>(m_data[m_pc] | (m_data[m_pc + 1] << 8));
        m_pc += 2;
        return value;
    }
    uint32_t FetchDword() {
        const uint32_t low = FetchWord();
        const uint32_t high = FetchWord();
        return low | (high << 16);
    }

    // A 16-bit operand word decoded as a literal, a variable or a special value.
    uint16_t ReadOperand() {
        const uint16_t word = FetchWord();
        if (word <= kMaxLiteral)
            return word;
        if (word < kFirstSpecialOperand)
            return Variable(word & kOperandVariableMask);
        return ReadSpecial(word);
    }

    // A string operand: its length L, then its bytes, plain below version 301 and chained from
    // 301 on (where even L = 0 stores one byte). Returns L; the decoded text is String().
    uint16_t ReadString();
    // The last string read, up to its first zero byte.
    std::string_view String() const;

    uint16_t Variable(uint32_t number) const {
        return number < m_state.m_vars.size() ? m_state.m_vars[number] : 0;
    }
    void SetVariable(uint32_t number, uint16_t value) {
        if (number < m_state.m_vars.size())
            m_state.m_vars[number] = value;
    }

private:
    uint8_t Fail() {
        m_failed = true;
        m_pc = m_size;
        return 0;
    }
    uint16_t ReadSpecial(uint16_t word);

    ScriptState& m_state;
    ScriptHost& m_host;
    const uint8_t* m_data = nullptr;
    size_t m_size = 0;
    size_t m_pc = 0;
    bool m_failed = false;
    bool m_scrambled = false;
    std::array<uint8_t, kMaxStringLength + 1> m_string{};
};

}  // namespace mascot
