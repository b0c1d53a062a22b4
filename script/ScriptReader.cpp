#include "script/ScriptReader.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <span>

#include "app/Random.h"
#include "data/StringChains.h"

namespace mascot {

ScriptReader::ScriptReader(ScriptState& state, ScriptHost& host)
    : m_state(state),
      m_host(host),
      m_data(state.m_pCode.data()),
      // Offsets are kept in the signed program counter, so bytes beyond its range do not exist.
      m_size(std::min<size_t>(state.m_pCode.size(), std::numeric_limits<int32_t>::max())),
      m_pc(static_cast<size_t>(state.m_pc)),
      m_scrambled(host.Version() >= kFirstScrambledVersion) {}

uint16_t ScriptReader::ReadSpecial(uint16_t word) {
    const LocalTime& time = m_state.m_localTime;
    switch (word) {
        case kOperandTimeMs:
            // The only operand that reads the clock; the others read this copy, so fields read
            // after it belong to the same moment.
            m_state.m_localTime = m_host.LocalNow();
            return time.milliseconds;
        case kOperandYear:
            return time.year;
        case kOperandMonth:
            return time.month;
        case kOperandDay:
            return time.day;
        case kOperandHour:
            return time.hour;
        case kOperandMinute:
            return time.minute;
        case kOperandSecond:
            return time.second;
        case kOperandRandom100:
            return static_cast<uint16_t>(Rand() % 100);
        case kOperandPosition:
            return static_cast<uint16_t>(m_host.Position());
        case kOperandCursorY:
            return static_cast<uint16_t>(m_host.CursorInClient().y);
        case kOperandCursorX:
            return static_cast<uint16_t>(m_host.CursorInClient().x);
        default:
            // 0xFFFB has no meaning of its own: a reference to a variable far past the last.
            return Variable(word & kOperandVariableMask);
    }
}

uint16_t ScriptReader::ReadString() {
    const uint16_t length = ReadOperand();
    if (m_failed)
        return 0;
    const size_t stored = m_scrambled ? std::max<size_t>(length, 1) : length;
    if (m_size - m_pc < stored) {
        Fail();
        return 0;
    }
    // A longer string is consumed whole, but only its first bytes fit the buffer.
    const size_t kept = std::min<size_t>(length, kMaxStringLength);
    const std::span<const uint8_t> source(m_data + m_pc, kept);
    const std::span<uint8_t> target(m_string.data(), kept);
    if (m_scrambled)
        DecodeScriptChain(source, static_cast<uint8_t>(length & 0xFF), target);
    else
        std::copy(source.begin(), source.end(), target.begin());
    m_string[kept] = 0;
    m_pc += stored;
    return length;
}

std::string_view ScriptReader::String() const {
    const char* text = reinterpret_cast<const char*>(m_string.data());
    return std::string_view(text, std::strlen(text));
}

}  // namespace mascot
