// The part of the mascot window's state that belongs to the script interpreter.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "platform/TextRenderer.h"
#include "platform/Types.h"
#include "script/Instructions.h"

namespace mascot {

inline constexpr int32_t kNoClickHandler = -1;
inline constexpr int32_t kNoPattern = -1;

struct ScriptState {
    // The font of the last Font instruction; Text draws with it. Released when a pattern is
    // selected. Null: the platform's default font.
    std::unique_ptr<Font> m_pFont;
    // Set when the script arms the script timer (Wait, WaitRandom, SelectPattern); the window
    // clears it whenever it handles a timer.
    bool m_bTimerArmed = false;
    // The local time as last read by operand -12; operands -11 to -6 read this copy.
    LocalTime m_localTime{};
    // Offset of the click handler within the current pattern; kNoClickHandler for none.
    int32_t m_clickTarget = kNoClickHandler;
    // The pattern selection: 0 = chosen at random, n = pattern n (1-based).
    int32_t m_patternChoice = 0;
    // The variable file. Patterns assign their variables before reading them; zero is a safe start.
    std::array<uint16_t, kVariableCount> m_vars{};
    // Pixels between the mascot's top and the target's top edge. No SetHeight can produce -1, so
    // the first SetHeight of a run always takes effect.
    int32_t m_height = -1;
    // Offset of the next instruction within the current pattern.
    int32_t m_pc = 0;
    // The current pattern: its 0-based index (kNoPattern for none) and its bytes, which run from
    // the pattern's first byte to the end of the container. Execution never leaves them.
    int32_t m_patternIndex = kNoPattern;
    std::span<const uint8_t> m_pCode;
};

}  // namespace mascot
